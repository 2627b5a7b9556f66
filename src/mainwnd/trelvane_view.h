// The main form: the source list and information pane, the output type and standard buttons,
// the settings controls, the output folder, and the commands that work on them. Built from form
// template 101 of the current resource module. It owns the source records (through SourceList),
// the EncoderRun of conversions and the run flow (ConversionRun), and serves the workers' calls
// (WorkerUi) while one of its modal dialogs runs: calls from a worker thread are carried out on
// the user-interface thread and wait for it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "engine/encoder_run.h"
#include "engine/worker_ui.h"
#include "mainwnd/conversion_run.h"
#include "mainwnd/output_folder.h"
#include "mainwnd/presets.h"
#include "mainwnd/source_list.h"
#include "mainwnd/ui_thread_worker_ui.h"
#include "mainwnd/view_worker_ui.h"
#include "ui/template_form.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace clipwright {

class ConvertProgressDialog;
class ResourceModule;
struct StartupValues;

// Command ids routed to the view.
enum ViewCommand : int {
    kCmdAdd = 32801,
    kCmdRemove = 32803,
    kCmdRemoveAll = 32804,
    kCmdMoveUp = 32805,
    kCmdMoveDown = 32806,
    kCmdPreview = 32807,
    kCmdConvert = 32808,
    kCmdMakeDisc = 32811,
    kCmdToolTips = 32792,
};

inline constexpr int kOutputPathLimit = 256;
inline constexpr int kInfoTextLimit = 1024;

// As a WorkerUi (UiThreadWorkerUi over ViewWorkerUi) it is callable from any thread.
class CTrelvaneView : public QWidget, public UiThreadWorkerUi {
    Q_OBJECT

public:
    // startup (the application's) outlives the view; the view reads the tips' and the media
    // runtime's values there.
    explicit CTrelvaneView(const StartupValues& startup, QWidget* parent = nullptr);
    CTrelvaneView(const StartupValues&& startup, QWidget* parent = nullptr) = delete;
    ~CTrelvaneView() override;

    void OnInitialUpdate();
    // Shows the tip about the media runtime when the start-up values say it is missing or old.
    void UpdateRuntimeTip();
    // Controls into members (save) or members into controls. Saving stops at the first text
    // over its limit, after telling the user; false then.
    bool UpdateData(bool save);

    bool IsCommandEnabled(int commandId) const;
    bool HandlesCommand(int commandId) const;
    void RunCommand(int commandId);

    void OnAdd();
    // Probes the paths under the detecting dialog and lists the readable ones.
    void AddPaths(const std::vector<std::string>& paths);
    void OnDroppedPaths(const std::vector<std::string>& paths);
    void OnRemove();
    void OnRemoveAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnPreview();
    void OnConvert();
    // Makes a disc image from the outputs of the rows whose status is Done.
    void OnMakeDisc();
    void OnBrowse();
    void OnGo();
    void ToggleHelpTips();
    void ShowSourceInfo();

    // Takes over an older view's choices, records and rows (a language switch).
    void CarryStateFrom(CTrelvaneView& old);

    // Form data.
    const std::string& OutputFolderMember() const { return outputFolder_; }
    int32_t OutputTypeMember() const { return outputType_; }
    int32_t TvStandardMember() const { return tvStandard_; }
    // The output type of the last conversion run; -1 before the first.
    int32_t LastRunType() const { return conversion_->LastRunType(); }
    bool TipsHidden() const { return hideTips_ != 0; }
    const std::string& InfoText() const { return infoText_; }
    int LastInfoRow() const { return lastInfoRow_; }
    SourceList& List() { return *list_; }
    const TemplateForm& Form() const { return *form_; }
    const SettingControls& Controls() const { return controls_; }
    EncoderRun* Run() const { return run_.get(); }
    ConvertProgressDialog* ProgressDialog() const { return conversion_->ProgressDialog(); }
    const ConversionRun& Conversion() const { return *conversion_; }

signals:
    // The list or the choices changed: command enabling may differ.
    void CommandStateChanged();
    // The help tips were shown (true) or hidden again (false): the menu's check mark follows.
    void TipsShownChanged(bool shown);

protected:
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void NameForAccessibility(const TemplateForm& form);
    void WireControls();
    void WriteOutputPathSetting();

    const StartupValues& startup_;
    ViewWorkerUi viewUi_;                           // what the WorkerUi base calls, on this thread
    std::shared_ptr<const ResourceModule> module_;  // keeps the form's template alive
    std::unique_ptr<TemplateForm> form_;
    std::unique_ptr<SourceList> list_;
    SettingControls controls_;
    QLineEdit* folderEdit_ = nullptr;
    QPlainTextEdit* infoEdit_ = nullptr;
    QCheckBox* hideTipsBox_ = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    QButtonGroup* standardGroup_ = nullptr;
    QLabel* tipLabel_ = nullptr;

    std::unique_ptr<ConversionRun> conversion_;
    std::unique_ptr<EncoderRun> run_;
    std::string outputFolder_;
    int32_t outputType_ = -1;
    int32_t tvStandard_ = -1;
    int hideTips_ = 0;
    std::string infoText_;
    int lastInfoRow_ = -1;
    int tipsTimer_ = 0;
    int addsRunning_ = 0;        // detecting dialogs open in AddPaths
    bool tipsDeferred_ = false;  // the first tips came due during an add
};

}  // namespace clipwright
