#include "ui/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <utility>

namespace clipwright {

namespace {

struct Seam {
    std::deque<int> answers;
    std::vector<std::string> texts;
    UnansweredMessageHandler unanswered;
};

Seam& TheSeam() {
    static Seam seam;
    return seam;
}

// Records text and gives the answer a test has for it: the next queued one, else the unanswered
// handler's. Empty when there is none and the box is to be shown.
std::optional<int> SeamAnswer(const std::string& text) {
    Seam& seam = TheSeam();
    seam.texts.push_back(text);
    if (!seam.answers.empty()) {
        const int answer = seam.answers.front();
        seam.answers.pop_front();
        return answer;
    }
    if (seam.unanswered) {
        return seam.unanswered(text);
    }
    return std::nullopt;
}

QString DisplayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kQuestion:
            return QMessageBox::Question;
        case MessageIcon::kExclamation:
            return QMessageBox::Warning;
        default:
            return QMessageBox::Information;
    }
}

// A text taller than this share of the screen scrolls, so the buttons stay on screen.
constexpr int kMostScreenPercent = 60;

// Puts the box's text label into a scroll area of at most kMostScreenPercent of the screen's
// height when the text would be taller; short texts keep the plain box.
void ScrollLongText(QMessageBox& box, QWidget* parent) {
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr || box.layout() == nullptr) {
        return;
    }
    QLabel* label = nullptr;
    for (QLabel* candidate : box.findChildren<QLabel*>()) {
        if (candidate->text() == box.text()) {
            label = candidate;
            break;
        }
    }
    const QRect available = screen->availableGeometry();
    const int mostHeight = available.height() * kMostScreenPercent / 100;
    if (label == nullptr || label->sizeHint().height() <= mostHeight) {
        return;
    }
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);  // a path longer than the box
    delete box.layout()->replaceWidget(label, area);
    area->setWidget(label);  // the area owns the label now
    area->setWidgetResizable(true);
    const int width =
        std::min(label->sizeHint().width() + area->verticalScrollBar()->sizeHint().width(),
                 available.width() * 3 / 4);
    area->setMinimumSize(width, mostHeight);
    area->setMaximumHeight(mostHeight);
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& text,
                                            MessageButtons buttons, MessageIcon icon) {
    auto box = std::make_unique<QMessageBox>(
        ToQtIcon(icon), QString::fromLatin1(kApplicationName), DisplayText(text),
        buttons == MessageButtons::kOkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                             : QMessageBox::Ok,
        parent);
    ScrollLongText(*box, parent);
    return box;
}

int ShowMessageBox(QWidget* parent, const std::string& text, MessageButtons buttons,
                   MessageIcon icon) {
    if (const std::optional<int> answer = SeamAnswer(text)) {
        return *answer;
    }
    if (icon == MessageIcon::kExclamation) {
        QApplication::beep();
    }
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, text, buttons, icon);
    return box->exec() == QMessageBox::Ok ? kAnswerOk : kAnswerCancel;
}

int ShowChoiceBox(QWidget* parent, const std::string& text, const std::vector<std::string>& choices,
                  MessageIcon icon) {
    if (const std::optional<int> answer = SeamAnswer(text)) {
        return *answer;
    }
    QMessageBox box(ToQtIcon(icon), QString::fromLatin1(kApplicationName), DisplayText(text),
                    QMessageBox::Cancel, parent);
    std::vector<QAbstractButton*> buttons;
    for (const std::string& choice : choices) {
        buttons.push_back(box.addButton(QString::fromStdString(choice), QMessageBox::AcceptRole));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    }
    ScrollLongText(box, parent);
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? kChoiceCancel : static_cast<int>(chosen - buttons.begin()) + 1;
}

void SetNextMessageAnswer(int answer) {
    TheSeam().answers.push_back(answer);
}

bool HasPendingMessageAnswers() {
    return !TheSeam().answers.empty();
}

UnansweredMessageHandler SetUnansweredMessageHandler(UnansweredMessageHandler handler) {
    std::swap(TheSeam().unanswered, handler);
    return handler;
}

std::vector<std::string> TakeMessageTexts() {
    std::vector<std::string> texts;
    texts.swap(TheSeam().texts);
    return texts;
}

}  // namespace clipwright
