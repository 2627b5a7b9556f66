// The main window: a fixed 735 x 564 frame, centred, with the menu, the toolbar, the status bar
// and the form view. Every command is an action keyed by its command id; enabling is computed
// again whenever the view reports a change. User-interface thread only.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>

#include "shell/trelvane_doc.h"
#include "support/resource_layout.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace clipwright {

class CTrelvaneView;
struct StartupValues;

inline constexpr int kFrameWidth = 735;
inline constexpr int kFrameHeight = 564;
inline constexpr int kCmdNew = 57600;
inline constexpr int kCmdOpen = 57601;
inline constexpr int kCmdSave = 57603;
inline constexpr int kCmdSaveAs = 57604;
inline constexpr int kCmdExit = 57665;
inline constexpr int kCmdAbout = 57664;
inline constexpr int kCmdHelpContents = 32791;
inline constexpr int kFirstLanguageCommand = 32750;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // values (the application's) outlive the frame; every view it makes reads them, and a
    // language switch records the new language there.
    explicit CMainFrame(StartupValues& values);
    ~CMainFrame() override;

    CTrelvaneView* View() const;
    CTrelvaneDoc& Document() { return document_; }
    QAction* Action(int commandId) const;
    QToolBar* Toolbar() const { return toolbar_; }

    // Menu 128 of the current resource module, edited: the document commands, the hidden target
    // types gone; the language popup; the About text.
    void RebuildMenu(bool reload);
    void UpdateTitle();
    void LabelToolbar(bool resize);
    // Recomputes every action's enabled state from the view.
    void UpdateCommandStates();
    void RunCommand(int commandId);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* EnsureAction(int commandId);
    void BuildToolbar();
    void BuildStatusBar();
    void LabelStatusBar();
    QString WithKeyName(const QString& tip, int commandId) const;
    void BuildAccelerators();
    void FillMenu(QMenu* menu, const std::vector<MenuItem>& items, int menuId);
    void FillLanguagePopup(QMenu* popup);
    void RecreateView();
    void OnLanguageCommand(int commandId);

    StartupValues& values_;
    CTrelvaneDoc document_;
    QPointer<CTrelvaneView> view_;
    QToolBar* toolbar_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QMenu*> popups_;  // by position
    bool closing_ = false;
};

}  // namespace clipwright
