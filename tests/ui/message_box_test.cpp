// The message box as it is shown: a summary of a thousand unreadable files was 28,000 pixels
// tall with its OK button off screen; a long text now scrolls and a short one is a plain box.
#include "ui/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <string>

namespace clipwright {
namespace {

std::string Summary(int files) {
    std::string text = "These files could not be added:\n";
    for (int i = 0; i < files; ++i) {
        text += "/home/ann/Videos/unreadable clip " + std::to_string(i) +
                ".avi\n    trelcore: not a media file\n";
    }
    return text;
}

// Every corner of the box and of its OK button lies on the screen.
void ExpectOnScreen(const QMessageBox& box, const QRect& screen) {
    EXPECT_TRUE(screen.contains(box.frameGeometry().topLeft())) << box.frameGeometry().y();
    EXPECT_LE(box.frameGeometry().height(), screen.height());
    const QAbstractButton* ok = box.button(QMessageBox::Ok);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isVisible());
    const QRect okOnScreen(ok->mapToGlobal(QPoint(0, 0)), ok->size());
    EXPECT_TRUE(screen.contains(okOnScreen)) << okOnScreen.y() << " of " << screen.height();
}

TEST(MessageBoxTest, ALongTextScrollsAndTheButtonsStayOnScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const std::string text = Summary(1000);
    const std::unique_ptr<QMessageBox> box =
        MakeMessageBox(nullptr, text, MessageButtons::kOk, MessageIcon::kExclamation);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    EXPECT_EQ(box->text().toStdString(), text);  // all of it, not a cut
    ExpectOnScreen(*box, screen);
    const auto* area = box->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->verticalScrollBar()->maximum(), screen.height());
    EXPECT_GT(area->viewport()->height(), screen.height() / 3);  // room to read, not a slot
    box->close();

    // A short question keeps the plain box: no scroll area, both buttons.
    const std::unique_ptr<QMessageBox> question =
        MakeMessageBox(nullptr, Summary(2), MessageButtons::kOkCancel, MessageIcon::kQuestion);
    question->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(question.get()));
    EXPECT_EQ(question->findChild<QScrollArea*>(), nullptr);
    EXPECT_NE(question->button(QMessageBox::Cancel), nullptr);
    ExpectOnScreen(*question, screen);
}

}  // namespace
}  // namespace clipwright
