#include "ui/percent_bar.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

namespace clipwright {
namespace {

// Truncates toward zero into the int range; out-of-range positions give huge fractions.
int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::clamp(value, double{INT_MIN}, double{INT_MAX})));
}

}  // namespace

CPercentBar::CPercentBar(QWidget* parent) : QWidget(parent) {
    // Painting covers every pixel it is asked for, so no background is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPercentBar::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

int CPercentBar::SetPos(int position) {
    const int previous = position_;
    position_ = position;
    const int barWidth = FilledWidth();
    if (barWidth != lastBarWidth_) {
        lastBarWidth_ = barWidth;
        repaint();
    }
    return previous;
}

void CPercentBar::SetText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    repaint();
}

void CPercentBar::SetShowText(bool show) {
    showText_ = show;
    update();
}

QString CPercentBar::DisplayText() const {
    if (!text_.isEmpty()) {
        return text_;
    }
    return QStringLiteral("%1%").arg(TruncateToInt(Fraction() * 100.0));
}

double CPercentBar::Fraction() const {
    // In double: upper - lower may not fit an int.
    return (static_cast<double>(position_) - lower_) /
           (static_cast<double>(upper_) - static_cast<double>(lower_));
}

int CPercentBar::FilledWidth() const {
    if (lower_ >= upper_) {
        return 0;
    }
    return TruncateToInt(Fraction() * width());
}

void CPercentBar::paintEvent(QPaintEvent* /*event*/) {
    if (lower_ >= upper_) {
        return;
    }
    const QRect client = rect();
    // The split may lie outside the widget; clamp the rectangles, not the text.
    const int split = std::clamp(client.left() + TruncateToInt(client.width() * Fraction()),
                                 client.left(), client.right() + 1);
    const QRect done(client.left(), client.top(), split - client.left(), client.height());
    const QRect rest(split, client.top(), client.right() + 1 - split, client.height());
    const QColor barColour = palette().color(QPalette::Highlight);
    const QColor backgroundColour = palette().color(QPalette::Base);

    QPainter painter(this);
    painter.fillRect(done, barColour);
    painter.fillRect(rest, backgroundColour);
    if (!showText_) {
        return;
    }
    const QString text = DisplayText();
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setClipRect(done);
    painter.setPen(backgroundColour);
    painter.drawText(client, flags, text);
    painter.setClipRect(rest);
    painter.setPen(barColour);
    painter.drawText(client, flags, text);
}

void CPercentBar::resizeEvent(QResizeEvent* event) {
    lastBarWidth_ = -1;
    QWidget::resizeEvent(event);
}

}  // namespace clipwright
