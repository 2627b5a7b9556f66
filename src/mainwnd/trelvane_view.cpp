#include "mainwnd/trelvane_view.h"

#include <sys/stat.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimerEvent>
#include <QUrl>

#include "base/home_folder.h"
#include "base/string_ids.h"
#include "base/text_log.h"
#include "dialogs/detect_dialog.h"
#include "dialogs/help_tips_dialog.h"
#include "engine/encoder_run.h"
#include "engine/file_system.h"
#include "engine/preset_choices.h"
#include "mainwnd/form_control_ids.h"
#include "mainwnd/media_file_filter.h"
#include "platform/launcher.h"
#include "platform/settings_key.h"
#include "preview/preview_dlg.h"
#include "support/file_url.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/startup_values.h"

namespace clipwright {

namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

void CheckButton(QButtonGroup* group, int id) {
    if (group == nullptr) {
        return;
    }
    // An exclusive group cannot show "none"; -1 (before the first update) needs that.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        button->setChecked(group->id(button) == id);
    }
    group->setExclusive(true);
}

std::string WithUnixLineEnds(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i];
    }
    return out;
}

bool TooLong(const QString& text, int limit, QWidget* parent) {
    if (text.size() <= limit) {
        return false;
    }
    ShowMessageBox(
        parent, QStringLiteral("Please enter no more than %1 characters.").arg(limit).toStdString(),
        MessageButtons::kOk, MessageIcon::kExclamation);
    return true;
}

}  // namespace

CTrelvaneView::CTrelvaneView(const StartupValues& startup, QWidget* parent)
    : QWidget(parent), UiThreadWorkerUi(*this, viewUi_), startup_(startup), viewUi_(*this) {
    outputFolder_ = StoredOutputFolder();
    module_ = CurrentResourceModule();
    form_ = std::make_unique<TemplateForm>(this, kFormId, *module_, WritesHan(module_->Language()));
    setMinimumSize(form_->PixelSize());
    setAcceptDrops(true);
    WireControls();
}

CTrelvaneView::~CTrelvaneView() {
    // The frame may be half destroyed already: nobody hears of the rows going.
    blockSignals(true);
    conversion_.reset();
    list_->RemoveAll();
    run_.reset();
}

void CTrelvaneView::WireControls() {
    const TemplateForm& form = *form_;
    list_ = std::make_unique<SourceList>(form.Get<QTreeWidget>(kListId));
    conversion_ = std::make_unique<ConversionRun>(*this, *list_, *this);
    controls_.size = form.Get<QComboBox>(kSizeComboId);
    controls_.width = form.Get<QLineEdit>(kWidthEditId);
    controls_.height = form.Get<QLineEdit>(kHeightEditId);
    controls_.frameRate = form.Get<QComboBox>(kFrameRateComboId);
    controls_.videoBitrate = form.Get<QComboBox>(kVideoBitrateComboId);
    controls_.variableBitRate = form.Get<QCheckBox>(kVariableBitRateBoxId);
    controls_.maxRate = form.Get<QLineEdit>(kMaxRateEditId);
    controls_.minRate = form.Get<QLineEdit>(kMinRateEditId);
    controls_.channels = form.Get<QComboBox>(kChannelsComboId);
    controls_.audioBitrate = form.Get<QComboBox>(kAudioBitrateComboId);
    controls_.sampleRate = form.Get<QComboBox>(kSampleRateComboId);
    controls_.volume = form.Get<QComboBox>(kVolumeComboId);
    folderEdit_ = form.Get<QLineEdit>(kFolderEditId);
    infoEdit_ = form.Get<QPlainTextEdit>(kInfoEditId);
    hideTipsBox_ = form.Get<QCheckBox>(kCmdToolTips);
    typeGroup_ = form.RadioGroup(kFirstTypeId);
    standardGroup_ = form.RadioGroup(kFirstStandardId);
    tipLabel_ = form.Get<QLabel>(kTipLabelId);
    NameForAccessibility(form);

    connect(controls_.size, &QComboBox::currentIndexChanged, this,
            [this] { OnSizeSelChange(controls_.size, controls_.width, controls_.height); });
    connect(controls_.variableBitRate, &QCheckBox::clicked, this, [this] {
        OnVbrClicked(controls_.variableBitRate, controls_.maxRate, controls_.minRate);
    });
    connect(form.Get<QPushButton>(kBrowseId), &QPushButton::clicked, this,
            &CTrelvaneView::OnBrowse);
    connect(form.Get<QPushButton>(kGoId), &QPushButton::clicked, this, &CTrelvaneView::OnGo);
    connect(hideTipsBox_, &QCheckBox::clicked, this, &CTrelvaneView::ToggleHelpTips);
    // A pressed type or standard is kept at once, so reloading the form data (as every change
    // of the selected row does) shows the user's choice instead of undoing it.
    if (typeGroup_ != nullptr) {
        connect(typeGroup_, &QButtonGroup::idClicked, this, [this](int id) {
            outputType_ = id;
            emit CommandStateChanged();  // the disc command follows the type
        });
    }
    if (standardGroup_ != nullptr) {
        connect(standardGroup_, &QButtonGroup::idClicked, this,
                [this](int id) { tvStandard_ = id; });
    }

    QTreeWidget* tree = list_->Control();
    connect(tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (list_->FirstSelectedRow() >= 0) {
            ShowSourceInfo();
        }
    });
    connect(tree->model(), &QAbstractItemModel::rowsInserted, this,
            &CTrelvaneView::CommandStateChanged);
    connect(tree->model(), &QAbstractItemModel::rowsRemoved, this,
            &CTrelvaneView::CommandStateChanged);
}

void CTrelvaneView::NameForAccessibility(const TemplateForm& form) {
    // The names screen readers say are the texts that label these controls on screen.
    constexpr int kOutputPathLabel = 40019;
    list_->Control()->setAccessibleName(QString::fromStdString(LoadResourceString(kIdsSource)));
    if (auto* label = form.Get<QLabel>(kOutputPathLabel); label != nullptr && folderEdit_) {
        label->setBuddy(folderEdit_);
        folderEdit_->setAccessibleName(label->text().remove(QLatin1Char(':')).trimmed());
    }
    if (infoEdit_ != nullptr) {
        infoEdit_->setAccessibleName(
            QString::fromStdString(module_->Text("dlg.107.40002").value_or("")));
    }
}

void CTrelvaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    form_->FitTo(size());
    list_->FitColumns();
}

void CTrelvaneView::OnInitialUpdate() {
    show();
    UpdateRuntimeTip();
    if (!run_) {
        run_ = std::make_unique<EncoderRun>();
    }
    list_->SetUpColumns();
    FillSettingCombos(controls_);
    outputType_ = kTypeDvd;
    tvStandard_ = kNtsc;
    hideTips_ = 1;
    UpdateData(false);
    if (!startup_.tipsHidden) {
        tipsTimer_ = startTimer(1000);
    }
}

void CTrelvaneView::UpdateRuntimeTip() {
    if (tipLabel_ != nullptr) {
        tipLabel_->setVisible(MediaRuntimeTooOld(startup_.mediaRuntime));
    }
}

bool CTrelvaneView::UpdateData(bool save) {
    if (!save) {
        folderEdit_->setText(Qs(outputFolder_));
        CheckButton(typeGroup_, outputType_);
        CheckButton(standardGroup_, tvStandard_);
        hideTipsBox_->setChecked(hideTips_ != 0);
        infoEdit_->setPlainText(Qs(WithUnixLineEnds(infoText_)));
        return true;
    }
    const QString folder = folderEdit_->text();
    if (TooLong(folder, kOutputPathLimit, this)) {
        return false;
    }
    outputFolder_ = folder.toStdString();
    outputType_ = typeGroup_ != nullptr ? typeGroup_->checkedId() : -1;
    tvStandard_ = standardGroup_ != nullptr ? standardGroup_->checkedId() : -1;
    hideTips_ = hideTipsBox_->isChecked() ? 1 : 0;
    QString info = infoEdit_->toPlainText();
    info.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    if (TooLong(info, kInfoTextLimit, this)) {
        return false;
    }
    infoText_ = info.toStdString();
    return true;
}

bool CTrelvaneView::HandlesCommand(int commandId) const {
    switch (commandId) {
        case kCmdAdd:
        case kCmdRemove:
        case kCmdRemoveAll:
        case kCmdMoveUp:
        case kCmdMoveDown:
        case kCmdPreview:
        case kCmdConvert:
        case kCmdMakeDisc:
        case kCmdToolTips:
            return true;
        default:
            return false;
    }
}

bool CTrelvaneView::IsCommandEnabled(int commandId) const {
    const int rows = list_->RowCount();
    switch (commandId) {
        case kCmdConvert:
        case kCmdPreview:
        case kCmdRemove:
        case kCmdRemoveAll:
            return rows >= 1;
        case kCmdMoveUp:
        case kCmdMoveDown:
            return rows >= 2;
        case kCmdMakeDisc:
            return CanMakeDisc(
                outputType_, conversion_->MakeDiscRequest(outputType_, outputFolder_).files.size());
        default:
            return HandlesCommand(commandId);
    }
}

void CTrelvaneView::RunCommand(int commandId) {
    switch (commandId) {
        case kCmdAdd:
            OnAdd();
            break;
        case kCmdRemove:
            OnRemove();
            break;
        case kCmdRemoveAll:
            OnRemoveAll();
            break;
        case kCmdMoveUp:
            OnMoveUp();
            break;
        case kCmdMoveDown:
            OnMoveDown();
            break;
        case kCmdPreview:
            OnPreview();
            break;
        case kCmdConvert:
            OnConvert();
            break;
        case kCmdMakeDisc:
            OnMakeDisc();
            break;
        case kCmdToolTips:
            ToggleHelpTips();
            break;
        default:
            break;
    }
    emit CommandStateChanged();
}

void CTrelvaneView::OnAdd() {
    const std::optional<QStringList> files = ChooseOpenFiles(this, MediaFileFilter());
    if (files) {
        std::vector<std::string> paths;
        for (const QString& file : *files) {
            paths.push_back(file.toStdString());
        }
        if (!paths.empty()) {
            AddPaths(paths);
        }
        list_->SelectOnlyLast();
    }
    ShowSourceInfo();
}

void CTrelvaneView::AddPaths(const std::vector<std::string>& paths) {
    ++addsRunning_;
    {
        DetectDialog dialog(this, *this, paths);
        RunModalDialog(dialog);
    }
    --addsRunning_;
    emit CommandStateChanged();
    // Tips that came due while the files were being added open once the caller has finished
    // with the new rows.
    if (addsRunning_ == 0 && tipsDeferred_) {
        tipsDeferred_ = false;
        tipsTimer_ = startTimer(0);
    }
}

void CTrelvaneView::OnDroppedPaths(const std::vector<std::string>& paths) {
    if (!paths.empty()) {
        AddPaths(paths);
    }
    list_->SelectLastIfNone();
}

void CTrelvaneView::OnRemove() {
    list_->Remove();
    lastInfoRow_ = -1;
    ShowSourceInfo();
}

void CTrelvaneView::OnRemoveAll() {
    list_->RemoveAll();
    lastInfoRow_ = -1;
    ShowSourceInfo();
}

void CTrelvaneView::OnMoveUp() {
    list_->MoveUp();
}

void CTrelvaneView::OnMoveDown() {
    list_->MoveDown();
}

void CTrelvaneView::OnPreview() {
    const int row = list_->FirstSelectedRow();
    SourceItem* item = list_->ItemOfRow(row);
    if (item == nullptr) {
        return;
    }
    // The file may have been replaced since it was added: a FIFO or a device would hold the
    // player's open (and the dialog) until something writes to it, so it is refused as the probe
    // refuses it.
    struct stat info {};
    if (::stat(item->sourcePath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        ShowMessageBox(this, LoadResourceString(kIdsPreviewNotRegularFile, item->sourcePath),
                       MessageButtons::kOk, MessageIcon::kExclamation);
        return;
    }
    int32_t start = item->selStart;
    int32_t end = item->selEnd;
    CPreviewDlg dialog(this, item->sourcePath, &start, &end);
    RunModalDialog(dialog);
    if (start != item->selStart || end != item->selEnd) {
        item->selStart = start;
        item->selEnd = end;
        list_->ShowPart(row, start, end);
    }
}

void CTrelvaneView::OnConvert() {
    UpdateData(true);
    conversion_->Convert(*run_, outputType_, outputFolder_);
}

void CTrelvaneView::OnMakeDisc() {
    UpdateData(true);
    conversion_->MakeDiscOfLastRun(outputType_, outputFolder_);
}

void CTrelvaneView::OnBrowse() {
    const QString title = Qs(LoadResourceString(kIdsSelectOutputFolder));
    if (const std::optional<QString> folder = ChooseFolder(this, title, Qs(outputFolder_))) {
        outputFolder_ = folder->toStdString();
    }
    if (!outputFolder_.empty() && outputFolder_.back() != '/') {
        outputFolder_ += '/';
    }
    UpdateData(false);
    WriteOutputPathSetting();
}

void CTrelvaneView::WriteOutputPathSetting() {
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, kSettingsRead | kSettingsWrite);
    key.WriteString("OutputPath", outputFolder_);
}

void CTrelvaneView::OnGo() {
    OpenWithDesktop(Qs(outputFolder_));
}

void CTrelvaneView::ToggleHelpTips() {
    hideTips_ = hideTips_ != 0 ? 0 : 1;
    emit TipsShownChanged(hideTips_ == 0);
    UpdateData(false);
    if (hideTips_ != 0) {
        return;
    }
    CHelpTipsDialog dialog(this);
    RunModalDialog(dialog);
    ToggleHelpTips();
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, kSettingsRead | kSettingsWrite);
    key.WriteString("HiddenToolTips", "TRUE");
}

void CTrelvaneView::ShowSourceInfo() {
    const int row = list_->FirstSelectedRow();
    if (row < 0) {
        if (list_->RowCount() != 0) {
            return;
        }
        infoText_.clear();
    } else {
        if (row == lastInfoRow_) {
            return;
        }
        lastInfoRow_ = row;
        const SourceItem* item = list_->ItemOfRow(row);
        infoText_ = item != nullptr ? BuildSourceInfo(*item) : std::string();
    }
    UpdateData(false);
}

void CTrelvaneView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != tipsTimer_ || tipsTimer_ == 0) {
        return;
    }
    killTimer(tipsTimer_);
    tipsTimer_ = 0;
    // Opened over the detecting dialog, the tips' own loop would hold the add until they close.
    if (addsRunning_ > 0) {
        tipsDeferred_ = true;
        return;
    }
    ToggleHelpTips();
}

void CTrelvaneView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CTrelvaneView::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        // file://localhost/... is local too; another computer's files cannot be opened here.
        std::string path = FileUrlTargetOf(url).path;
        if (!path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    event->acceptProposedAction();
    OnDroppedPaths(paths);
}

void CTrelvaneView::CarryStateFrom(CTrelvaneView& old) {
    old.UpdateData(true);
    outputType_ = old.outputType_;
    tvStandard_ = old.tvStandard_;
    conversion_->CarryFrom(*old.conversion_);
    UpdateData(false);
    CopySettingChoices(old.controls_, controls_);
    list_->CopyFrom(*old.list_);
    for (int row = 0; row < old.list_->RowCount(); ++row) {
        const int slot = old.list_->SlotOfRow(row);
        list_->InsertRow(row, slot);
        list_->RefreshRow(row);
        LogMessage("Set FileAudioFormat array index(%d) to listtime(%d).", slot, row);
    }
    UpdateData(false);
    emit CommandStateChanged();
}

}  // namespace clipwright
