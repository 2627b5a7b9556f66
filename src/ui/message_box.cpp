#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <deque>
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

}  // namespace

int ShowMessageBox(QWidget* parent, const std::string& text, MessageButtons buttons,
                   MessageIcon icon) {
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
    if (icon == MessageIcon::kExclamation) {
        QApplication::beep();
    }
    QMessageBox box(ToQtIcon(icon), QString::fromLatin1(kApplicationName), DisplayText(text),
                    buttons == MessageButtons::kOkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                         : QMessageBox::Ok,
                    parent);
    return box.exec() == QMessageBox::Ok ? kAnswerOk : kAnswerCancel;
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
