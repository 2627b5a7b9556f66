#include "ui/percent_bar.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <climits>

namespace clipwright {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

constexpr QRgb kUnpainted = 0xff123456;

class PercentBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        QPalette palette = bar_.palette();
        palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
        palette.setColor(QPalette::Base, QColor(255, 255, 255));
        bar_.setPalette(palette);
        bar_.resize(200, 20);
        bar_.installEventFilter(&counter_);
    }

    QImage Render() {
        QImage image(bar_.size(), QImage::Format_ARGB32);
        image.fill(kUnpainted);
        bar_.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    // Pixels of a column, from top to bottom, that have the given colour.
    static int CountInColumns(const QImage& image, int from, int to, QRgb colour) {
        int count = 0;
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < image.height(); ++y) {
                count += image.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    CPercentBar bar_;
    PaintCounter counter_;
    const QRgb highlight_ = qRgb(0, 0, 200);
    const QRgb base_ = qRgb(255, 255, 255);
};

TEST_F(PercentBarTest, HalfwayFillsTheLeftHalfAndSplitsTheTextColours) {
    bar_.SetPos(50);
    EXPECT_EQ(bar_.DisplayText(), "50%");
    const QImage image = Render();
    // Top row has no text: the split is exactly at x = 100.
    EXPECT_EQ(image.pixel(0, 0), highlight_);
    EXPECT_EQ(image.pixel(99, 0), highlight_);
    EXPECT_EQ(image.pixel(100, 0), base_);
    EXPECT_EQ(image.pixel(199, 0), base_);
    // The text straddles the split: the base colour appears on the filled half and the
    // highlight colour on the empty half, both only where the text is drawn.
    const int textOnBar = 100 * 20 - CountInColumns(image, 0, 100, highlight_);
    const int textOnRest = 100 * 20 - CountInColumns(image, 100, 200, base_);
    EXPECT_GT(textOnBar, 0);
    EXPECT_GT(textOnRest, 0);
    EXPECT_GT(CountInColumns(image, 0, 100, base_), 0);
    EXPECT_GT(CountInColumns(image, 100, 200, highlight_), 0);
    EXPECT_EQ(CountInColumns(image, 0, 200, kUnpainted), 0);
}

TEST_F(PercentBarTest, SetTextReplacesThePercentageUntilSetEmpty) {
    bar_.SetPos(30);
    bar_.SetText("Done");
    EXPECT_EQ(bar_.Text(), "Done");
    EXPECT_EQ(bar_.DisplayText(), "Done");
    const QImage withText = Render();
    bar_.SetText("");
    EXPECT_EQ(bar_.DisplayText(), "30%");
    EXPECT_NE(Render(), withText);
    bar_.SetShowText(false);
    const QImage plain = Render();
    EXPECT_EQ(CountInColumns(plain, 0, 60, highlight_), 60 * 20);
    EXPECT_EQ(CountInColumns(plain, 60, 200, base_), 140 * 20);
}

TEST_F(PercentBarTest, EqualBoundsPaintNothing) {
    bar_.SetRange(10, 10);
    bar_.SetPos(10);
    const QImage image = Render();
    EXPECT_EQ(CountInColumns(image, 0, 200, kUnpainted), 200 * 20);
    bar_.SetRange(20, 10);
    EXPECT_EQ(CountInColumns(Render(), 0, 200, kUnpainted), 200 * 20);
}

TEST_F(PercentBarTest, PositionsOutsideTheRange) {
    bar_.SetPos(150);
    EXPECT_EQ(bar_.DisplayText(), "150%");
    // Filled across the whole width; the only base-coloured pixels are the text's.
    const QImage over = Render();
    EXPECT_EQ(over.pixel(199, 0), highlight_);
    EXPECT_EQ(CountInColumns(over, 0, 200, kUnpainted), 0);
    EXPECT_GT(CountInColumns(over, 0, 200, base_), 0);
    bar_.SetPos(-20);
    EXPECT_EQ(bar_.DisplayText(), "-20%");
    EXPECT_EQ(Render().pixel(0, 0), base_);
    // Extreme values neither overflow nor divide by zero.
    bar_.SetRange(INT_MIN, INT_MAX);
    bar_.SetPos(INT_MAX);
    EXPECT_EQ(bar_.DisplayText(), "100%");
    bar_.SetRange(0, 1);
    bar_.SetPos(INT_MAX);
    EXPECT_EQ(bar_.DisplayText(), QString::number(INT_MAX) + "%");
    Render();
}

TEST_F(PercentBarTest, RepaintsOnlyWhenTheFilledWidthChanges) {
    bar_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar_));
    bar_.SetRange(0, 1000);
    bar_.SetPos(100);  // 20 pixels
    counter_.paints = 0;
    EXPECT_EQ(bar_.SetPos(104), 100);  // 20.8 pixels: same width, no repaint
    EXPECT_EQ(counter_.paints, 0);
    EXPECT_EQ(bar_.GetPos(), 104);
    bar_.SetPos(105);  // 21 pixels
    EXPECT_EQ(counter_.paints, 1);
    bar_.SetText("x");
    bar_.SetText("x");
    EXPECT_EQ(counter_.paints, 2);
    // After a resize the next position repaints even when the width would not change.
    bar_.resize(300, 20);
    bar_.SetPos(105);
    counter_.paints = 0;
    bar_.resize(200, 20);
    bar_.SetPos(105);
    EXPECT_GE(counter_.paints, 1);
}

}  // namespace
}  // namespace clipwright
