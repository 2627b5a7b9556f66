#include "preview/preview_dlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimerEvent>
#include <algorithm>

#include "base/text_format.h"
#include "preview/video_frame.h"
#include "support/resource_module.h"

namespace clipwright {

namespace {

constexpr int kPreviewDialogId = 107;
constexpr int kFrameId = 1062;
constexpr int kPositionId = 1043;
constexpr int kPlayId = 1049;
constexpr int kPauseId = 1050;
constexpr int kStopId = 1051;
constexpr int kStartId = 1052;
constexpr int kEndId = 1053;
constexpr int kFullId = 1054;
constexpr int kOkId = 1;
constexpr int kCancelId = 1037;
constexpr int kStartTimeId = 1056;
constexpr int kEndTimeId = 1057;
constexpr int kDurationId = 1058;
constexpr int kElapsedId = 1059;
constexpr int kTickMs = 100;

QString CaptionOf(const TemplateForm& form) {
    const DialogTemplate* dialog = form.Template();
    if (dialog == nullptr || dialog->captionKey.empty()) {
        return {};
    }
    return QString::fromStdString(CurrentResourceModule()->Text(dialog->captionKey).value_or(""));
}

// The time labels are tight in the template for fonts wider than the one it was drawn for:
// on one line, up to the box beside each, in a smaller font when the text needs it.
void FitLabel(QLabel* label, const QWidget* box) {
    if (label == nullptr || box == nullptr) {
        return;
    }
    label->setWordWrap(false);
    const int room = box->x() - label->x() - 2;
    label->resize(std::max(label->width(), room), label->height());
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > label->width() &&
           font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
}

void SetUpSlider(QSlider* slider, int minimum, int maximum, int page) {
    if (slider == nullptr) {
        return;
    }
    slider->setRange(minimum, maximum);
    slider->setTickInterval(1000);
    slider->setSingleStep(1000);
    slider->setPageStep(page);
}

}  // namespace

CPreviewDlg::CPreviewDlg(QWidget* parent, std::string fileName, int32_t* startOut, int32_t* endOut)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      startOut_(startOut),
      endOut_(endOut) {
    const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
    form_ = std::make_unique<TemplateForm>(this, kPreviewDialogId, *module,
                                           WritesHan(module->Language()));
    setFixedSize(form_->PixelSize());
    setWindowTitle(CaptionOf(*form_));
    SetButtonRow(ButtonRow::kInitialised);
    const std::pair<int, int> labels[] = {
        {40003, kStartTimeId}, {40004, kEndTimeId}, {40005, kDurationId}, {40006, kElapsedId}};
    for (const auto& [label, box] : labels) {
        FitLabel(form_->Get<QLabel>(label), form_->Control(box));
    }

    QWidget* frameControl = form_->Control(kFrameId);
    frame_ = frameControl != nullptr ? new VideoFrame(frameControl) : nullptr;
    auto* volume = form_->Get<QSlider>(kPreviewVolumeId);
    auto* balance = form_->Get<QSlider>(kPreviewBalanceId);
    SetUpSlider(volume, -10000, 0, 2000);
    SetUpSlider(balance, -10000, 10000, 5000);

    PlayerControls controls;
    controls.position = PositionSlider();
    controls.elapsed = form_->Get<QLineEdit>(kElapsedId);
    controls.duration = form_->Get<QLineEdit>(kDurationId);
    controls.volume = volume;
    controls.balance = balance;
    controls.frame = frame_;
    controls.setButtonRow = [this](ButtonRow row) { SetButtonRow(row); };
    controls.opened = [this] { SetSelection(*startOut_, *endOut_); };
    player_ = std::make_unique<CPreviewPlayer>(std::move(fileName), std::move(controls));

    for (QSlider* slider : {static_cast<QSlider*>(PositionSlider()), volume, balance}) {
        connect(slider, &QSlider::actionTriggered, this,
                [this, slider] { player_->OnSlider(slider); });
    }
    const std::pair<int, void (CPreviewDlg::*)()> buttons[] = {
        {kPlayId, &CPreviewDlg::OnPlay}, {kPauseId, &CPreviewDlg::OnPause},
        {kStopId, &CPreviewDlg::OnStop}, {kStartId, &CPreviewDlg::OnStart},
        {kEndId, &CPreviewDlg::OnEnd},   {kFullId, &CPreviewDlg::OnFull},
        {kOkId, &CPreviewDlg::OnOk},     {kCancelId, &CPreviewDlg::reject}};
    for (const auto& [id, handler] : buttons) {
        connect(form_->Get<QPushButton>(id), &QPushButton::clicked, this, handler);
    }
    timer_.start(kTickMs, this);
}

CPreviewDlg::~CPreviewDlg() {
    // The graph lets go of the frame before the frame widget goes with the dialog's children.
    player_.reset();
}

SelectionSlider* CPreviewDlg::PositionSlider() const {
    return form_->Get<SelectionSlider>(kPositionId);
}

void CPreviewDlg::OnPlay() {
    player_->RunGraph();
    SetButtonRow(ButtonRow::kPlaying);
}

void CPreviewDlg::OnPause() {
    player_->PauseGraph();
    SetButtonRow(ButtonRow::kPaused);
}

void CPreviewDlg::OnStop() {
    player_->StopAndRewind();
}

void CPreviewDlg::OnStart() {
    const SelectionSlider* slider = PositionSlider();
    const int position = slider->value();
    const int end = slider->SelectionEnd();
    SetSelection(std::min(position, end), std::max(position, end));
}

void CPreviewDlg::OnEnd() {
    const SelectionSlider* slider = PositionSlider();
    const int position = slider->value();
    const int start = slider->SelectionStart();
    SetSelection(std::min(start, position), std::max(start, position));
}

void CPreviewDlg::OnFull() {
    const SelectionSlider* slider = PositionSlider();
    SetSelection(slider->minimum(), slider->maximum());
}

void CPreviewDlg::OnOk() {
    // A file that never opened has no part of its own: the caller's stays.
    if (player_->Opened()) {
        *startOut_ = PositionSlider()->SelectionStart();
        *endOut_ = PositionSlider()->SelectionEnd();
    }
    Close(Accepted);
}

void CPreviewDlg::reject() {
    Close(Rejected);
}

void CPreviewDlg::Close(int result) {
    player_->FreeGraph();
    timer_.stop();
    done(result);
}

void CPreviewDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Queued, so the dialog's own first paint is not held up by the open; the first tick
    // opens the file when this has not (and this does nothing once a tick has).
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!player_->OpenTried() && timer_.isActive()) {
                player_->OnTick();
            }
        },
        Qt::QueuedConnection);
}

void CPreviewDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        player_->OnTick();
    }
}

void CPreviewDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // Esc neither cancels nor closes
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPreviewDlg::SetButtonRow(ButtonRow row) {
    struct Row {
        ButtonRow row;
        int play, pause, stop, part;  // 1 on, 0 off, -1 left as it was
    };
    static constexpr Row kRows[] = {{ButtonRow::kInitialised, 0, 0, 0, 0},
                                    {ButtonRow::kOpened, 1, 0, 0, 1},
                                    {ButtonRow::kPlaying, 0, 1, 1, -1},
                                    {ButtonRow::kPaused, 1, 0, 1, -1},
                                    {ButtonRow::kStopped, 1, 0, 0, -1}};
    const Row& chosen = *std::find_if(std::begin(kRows), std::end(kRows),
                                      [row](const Row& r) { return r.row == row; });
    const std::pair<int, int> states[] = {{kPlayId, chosen.play}, {kPauseId, chosen.pause},
                                          {kStopId, chosen.stop}, {kStartId, chosen.part},
                                          {kEndId, chosen.part},  {kFullId, chosen.part}};
    for (const auto& [id, state] : states) {
        if (auto* button = form_->Get<QPushButton>(id); button != nullptr && state >= 0) {
            button->setEnabled(state == 1);
        }
    }
}

void CPreviewDlg::SetSelection(int start, int end) {
    PositionSlider()->SetSelection(start, end, true);
    RefreshTimeBoxes();
}

void CPreviewDlg::RefreshTimeBoxes() {
    const SelectionSlider* slider = PositionSlider();
    form_->Get<QLineEdit>(kStartTimeId)
        ->setText(QString::fromStdString(FormatHms(slider->SelectionStart())));
    form_->Get<QLineEdit>(kEndTimeId)
        ->setText(QString::fromStdString(FormatHms(slider->SelectionEnd())));
}

}  // namespace clipwright
