#include "mainwnd/trelvane_view.h"

#include <sys/stat.h>

#include <QApplication>
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
#include <QThread>
#include <QTimerEvent>
#include <QUrl>
#include <cstdlib>

#include "base/home_folder.h"
#include "base/string_ids.h"
#include "base/text_log.h"
#include "dialogs/convert_progress_dialog.h"
#include "dialogs/detect_dialog.h"
#include "dialogs/help_tips_dialog.h"
#include "engine/command_line.h"
#include "engine/folders.h"
#include "engine/preset_choices.h"
#include "mainwnd/fit_question.h"
#include "mainwnd/run_questions.h"
#include "platform/desktop_notifier.h"
#include "platform/launcher.h"
#include "platform/settings_key.h"
#include "preview/preview_dlg.h"
#include "support/file_url.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "ui/component_checks.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/startup_values.h"

namespace clipwright {

namespace {

constexpr int kFormId = 101;
constexpr int kListId = 1000;
constexpr int kFolderEditId = 1001;
constexpr int kBrowseId = 1002;
constexpr int kGoId = 1003;
constexpr int kFirstTypeId = 1004;
constexpr int kFirstStandardId = 1015;
constexpr int kTipLabelId = 1101;
constexpr int kInfoEditId = 1210;

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A filter label in the current language: the words before the label's own pattern list come
// from the catalog, the patterns stay as written.
QString FilterLabelInOurWords(const QString& label) {
    static const std::pair<const char*, int> kWords[] = {
        {"All Media Files", kIdsFilterAllMedia},
        {"Video Files", kIdsFilterVideo},
        {"Windows Media Files", kIdsFilterWindowsMedia},
        {"QuickTime Media Files", kIdsFilterQuickTime},
        {"Real Media Files", kIdsFilterRealMedia},
        {"OGG Files", kIdsFilterOgg},
        {"All Files", kIdsFilterAll},
    };
    const qsizetype patterns = label.indexOf(QStringLiteral(" ("));
    const QString words = patterns < 0 ? label : label.left(patterns);
    for (const auto& [english, stringId] : kWords) {
        if (words == QLatin1String(english)) {
            return Qs(LoadResourceString(stringId)) + label.mid(words.size());
        }
    }
    return label;
}

// The file dialog's filters; each label's patterns in the form Qt reads.
QString MediaFileFilter() {
    static const char* const kFilters[][2] = {
        // The extensions of every type the desktop entry claims, so a file manager's "Open With"
        // and this dialog agree.
        {"All Media Files",
         "*.3g2; *.3gp; *.aac; *.ac3; *.acp; *.aif; *.aifc; *.aiff; *.au; *.asf; *.avi; *.dat; "
         "*.dv; *.flac; *.flv; *.m1v; *.m2ts; *.m2v; *.m4a; *.m4p; *.m4v; *.mka; *.mkv; *.mov; "
         "*.mp1; *.mp2; *.mp3; *.mp4; *.mpa; *.mpe; *.mpeg; *.mpg; *.mpga; *.mts; *.oga; *.ogg; "
         "*.ogm; *.ogv; *.opus; *.qt; *.ra; *.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; "
         "*.rv; *.snd; *.ts; *.vcd; *.vob; *.wav; *.webm; *.wm; *.wma; *.wmd; *.wmv"},
        // ".mp4" alone would match only a file of that name; the label lists what is matched.
        {"Video Files (*.3gp; *.asf; *.avi; *.dat; *.dv; *.flv; *.m1v; *.m2ts; *.m2v; *.m4p; "
         "*.m4v; *.mkv; *.mov; *.mp4; *.mpe; *.mpeg; *.mpg; *.mts; *.ogg; *.ogm; *.ogv; *.qt; "
         "*.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv; *.ts; *.vcd; *.vob; *.webm; "
         "*.wm; *.wmd; *.wmv)",
         "*.3gp; *.asf; *.avi; *.dat; *.dv; *.flv; *.m1v; *.m2ts; *.m2v; *.m4p; *.m4v; *.mkv; "
         "*.mov; *.mp4; *.mpe; *.mpeg; *.mpg; *.mts; *.ogg; *.ogm; *.ogv; *.qt; *.ram; *.rm; "
         "*.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv; *.ts; *.vcd; *.vob; *.webm; *.wm; *.wmd; "
         "*.wmv"},
        {"Windows Media Files (*.aifc; *.aiff; *.au; *.asf; *.avi; *.mp3; *.wav; *.wm; *.wma; "
         "*.wmd; *.wmv)",
         "*.aifc; *.aiff; *.au; *.asf; *.avi; *.mp3; *.wav; *.wm; *.wma; *.wmd; *.wmv"},
        {"QuickTime Media Files (*.3gp; *.mp4; *.mov; *.qt)", "*.3gp; *.mp4; *.mov; *.qt"},
        {"Real Media Files (*.ra; *.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv)",
         "*.ra; *.ram; *.rm; *.rmm; *.rmvb; *.rmj; *.rms; *.rp; *.rt; *.rv"},
        {"OGG Files (*.oga; *.ogg; *.ogm; *.ogv)", "*.oga; *.ogg; *.ogm; *.ogv"},
        // "*.*" would hide files without a dot, which are common on Linux.
        {"All Files (*)", "*"},
    };
    QStringList filters;
    for (const auto& [label, patterns] : kFilters) {
        QString qtPatterns = QString::fromLatin1(patterns);
        qtPatterns.replace(QStringLiteral("; "), QStringLiteral(" "));
        filters << FilterLabelInOurWords(QString::fromLatin1(label)) + QStringLiteral(" (") +
                       qtPatterns + QStringLiteral(")");
    }
    return filters.join(QStringLiteral(";;"));
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

std::string DefaultOutputFolder() {
    return HomeFolder() + "/ConvertedMedia/";
}

std::string StoredOutputFolder() {
    const CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath,
                           kSettingsRead | kSettingsWrite);
    std::string folder;
    key.ReadString("OutputPath", folder);
    return IsFolder(folder) ? folder : DefaultOutputFolder();
}

CTrelvaneView::CTrelvaneView(QWidget* parent) : QWidget(parent) {
    outputFolder_ = StoredOutputFolder();
    module_ = CurrentResourceModule();
    form_ = std::make_unique<TemplateForm>(this, kFormId, *module_);
    setMinimumSize(form_->PixelSize());
    setAcceptDrops(true);
    WireControls();
}

CTrelvaneView::~CTrelvaneView() {
    // The frame may be half destroyed already: nobody hears of the rows going.
    blockSignals(true);
    progressDialog_.reset();
    list_->RemoveAll();
    run_.reset();
}

void CTrelvaneView::WireControls() {
    const TemplateForm& form = *form_;
    list_ = std::make_unique<SourceList>(form.Get<QTreeWidget>(kListId));
    controls_.size = form.Get<QComboBox>(1103);
    controls_.width = form.Get<QLineEdit>(1104);
    controls_.height = form.Get<QLineEdit>(1105);
    controls_.frameRate = form.Get<QComboBox>(1106);
    controls_.videoBitrate = form.Get<QComboBox>(1107);
    controls_.variableBitRate = form.Get<QCheckBox>(1118);
    controls_.maxRate = form.Get<QLineEdit>(1109);
    controls_.minRate = form.Get<QLineEdit>(1110);
    controls_.channels = form.Get<QComboBox>(1112);
    controls_.audioBitrate = form.Get<QComboBox>(1113);
    controls_.sampleRate = form.Get<QComboBox>(1114);
    controls_.volume = form.Get<QComboBox>(1111);
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
    if (!TheStartupValues().tipsHidden) {
        tipsTimer_ = startTimer(1000);
    }
}

void CTrelvaneView::UpdateRuntimeTip() {
    if (tipLabel_ != nullptr) {
        tipLabel_->setVisible(MediaRuntimeTooOld(TheStartupValues().mediaRuntime));
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
            return CanMakeDisc(outputType_, MakeDiscRequest().files.size());
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
    if (outputType_ == kTypeWmv && CheckWindowsMediaSupport(this)) {
        return;
    }
    if (outputType_ == kTypeOgm && CheckOggSupport(this)) {
        return;
    }
    if (!ConfirmDiscTitleLimit(this, outputType_, static_cast<size_t>(list_->RowCount())) ||
        !ConfirmFreeSpace(this, Settings(), ListedItems())) {
        return;
    }
    const FitDecision fit =
        DecideDiscFit(this, outputType_, BuildOptions(Settings()), ListedItems());
    if (!fit.go) {
        return;
    }
    fitDiscBytes_ = fit.discBytes;
    severalDiscs_ = fit.severalDiscs;
    for (int row = 0; row < list_->RowCount(); ++row) {
        if (SourceItem* item = list_->ItemOfRow(row)) {
            item->status = kWaiting;
            list_->RefreshRow(row);
        }
    }
    progressDialog_.reset();
    progressDialog_ = std::make_unique<ConvertProgressDialog>(this, *this, *run_);
    connect(progressDialog_.get(), &ConvertProgressDialog::RunEnded, this,
            &CTrelvaneView::NotifyRunEnded);
    progressDialog_->Shared().fit = fit.fit;
    RunModalDialog(*progressDialog_);
    OfferRunReport();
    OfferDiscAfterRun();
}

std::vector<const SourceItem*> CTrelvaneView::ListedItems() {
    std::vector<const SourceItem*> items;
    for (int row = 0; row < list_->RowCount(); ++row) {
        items.push_back(list_->ItemOfRow(row));
    }
    return items;
}

void CTrelvaneView::OfferRunReport() {
    // The dialog's worker has ended when exec() returns, so its record is ours to read.
    std::vector<RowRecord> records;
    {
        ConversionShared& shared = progressDialog_->Shared();
        const std::lock_guard lock(shared.stateLock);
        records = shared.records;
    }
    OfferBatchReport(this, records, Settings().outputFolder);
}

DiscRequest CTrelvaneView::MakeDiscRequest() const {
    DiscRequest request;
    request.runType = lastRunType_;
    request.chosenType = outputType_;
    request.outputFolder = outputFolder_;
    request.discBytes = static_cast<uint64_t>(fitDiscBytes_);
    request.severalDiscs = severalDiscs_;
    for (int row = 0; row < list_->RowCount(); ++row) {
        const SourceItem* item = list_->ItemOfRow(row);
        if (item == nullptr || item->status != kDone) {
            continue;
        }
        if (request.files.empty()) {
            request.firstTitle = item->title;
        }
        request.files.push_back(OutputPath(*item));
    }
    return request;
}

void CTrelvaneView::OfferDiscAfterRun() {
    // The type cannot change while the run's modal dialog is up: it is the run's type.
    lastRunType_ = outputType_;
    OfferDisc(this, MakeDiscRequest());
}

void CTrelvaneView::OnMakeDisc() {
    UpdateData(true);
    MakeDisc(this, MakeDiscRequest());
}

void CTrelvaneView::NotifyRunEnded(bool completed) {
    int converted = 0;
    int skipped = 0;
    int failed = 0;
    for (int row = 0; row < list_->RowCount(); ++row) {
        const SourceItem* item = list_->ItemOfRow(row);
        const int32_t status = item != nullptr ? item->status : kError;
        int& count = status == kDone ? converted : status == kError ? failed : skipped;
        ++count;
    }
    // The user who looks at our window (or one of its dialogs) sees the closing message.
    bool active = false;
    for (const QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget()) {
        active = active || w == window();
    }
    const int summaryId = completed ? kIdsConversionCompleted : kIdsConversionCanceled;
    clipwright::NotifyRunEnded(TheNotificationBus(), active, Qs(LoadResourceString(summaryId)),
                               Qs(LoadResourceString(kIdsRunCounts, converted, skipped, failed)));
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
    lastRunType_ = old.lastRunType_;
    UpdateData(false);
    const SettingControls& from = old.controls_;
    controls_.size->setCurrentIndex(from.size->currentIndex());
    controls_.height->setText(from.height->text());
    controls_.width->setText(from.width->text());
    controls_.frameRate->setCurrentIndex(from.frameRate->currentIndex());
    controls_.videoBitrate->setCurrentIndex(from.videoBitrate->currentIndex());
    controls_.variableBitRate->setChecked(from.variableBitRate->isChecked());
    OnVbrClicked(controls_.variableBitRate, controls_.maxRate, controls_.minRate);
    controls_.maxRate->setText(from.maxRate->text());
    controls_.minRate->setText(from.minRate->text());
    controls_.channels->setCurrentIndex(from.channels->currentIndex());
    controls_.audioBitrate->setCurrentIndex(from.audioBitrate->currentIndex());
    controls_.sampleRate->setCurrentIndex(from.sampleRate->currentIndex());
    controls_.volume->setCurrentIndex(from.volume->currentIndex());
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

template <typename F>
auto CTrelvaneView::OnUiThread(F&& function) {
    using Result = decltype(function());
    if (QThread::currentThread() == thread()) {
        return function();
    }
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(this, std::forward<F>(function), Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            this, [&] { result = function(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

int CTrelvaneView::RowCount() {
    return OnUiThread([this] { return list_->RowCount(); });
}

SourceItem* CTrelvaneView::ItemOfRow(int row) {
    return OnUiThread([this, row] { return list_->ItemOfRow(row); });
}

int CTrelvaneView::AddItem(std::unique_ptr<SourceItem> item) {
    return OnUiThread([this, &item] { return list_->AddItem(std::move(item)); });
}

void CTrelvaneView::InsertRow(int row, int itemIndex) {
    OnUiThread([this, row, itemIndex] { list_->InsertRow(row, itemIndex); });
}

void CTrelvaneView::RefreshRow(int row) {
    OnUiThread([this, row] { list_->RefreshRow(row); });
}

int CTrelvaneView::AppendRows(std::vector<std::unique_ptr<SourceItem>> items) {
    return OnUiThread([this, &items] {
        const int first = list_->RowCount();
        const int count = static_cast<int>(items.size());
        list_->AppendRows(std::move(items));
        for (int row = first; row < first + count; ++row) {
            LogMessage("Set FileAudioFormat array index(%d) to listtime(%d).",
                       list_->SlotOfRow(row), row);
        }
        return first;
    });
}

void CTrelvaneView::ShowMessage(const std::string& text) {
    OnUiThread([this, &text] {
        ShowMessageBox(window(), text, MessageButtons::kOk, MessageIcon::kInformation);
    });
}

std::string CTrelvaneView::Text(int stringId) {
    return OnUiThread([stringId] {
        const std::string text = CurrentResourceModule()->String(stringId).value_or("");
        if (text.empty()) {
            LogMessage("**Error Loading Resource String:id=%d", stringId);
            return std::string();
        }
        // A translation whose placeholders differ from what the workers pass is not used.
        for (const StringUse& use : kStringUses) {
            if (use.id == stringId && PlaceholderKinds(text) != std::string(use.argumentKinds)) {
                LogMessage("**Error Loading Resource String:id=%d", stringId);
                return std::string();
            }
        }
        return text;
    });
}

int32_t CTrelvaneView::OutputType() {
    return OnUiThread([this] { return outputType_; });
}

std::string CTrelvaneView::OutputFolder() {
    return OnUiThread([this] { return outputFolder_; });
}

ConversionSettings CTrelvaneView::Settings() {
    return OnUiThread([this] {
        if (outputType_ == kTypeMpeg4 || outputType_ == kTypeH264) {
            NormalizeFrameSize(controls_.width, controls_.height);
        }
        return RunSettings(
            ReadConversionSettings(controls_, outputType_, tvStandard_, outputFolder_));
    });
}

}  // namespace clipwright
