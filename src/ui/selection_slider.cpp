#include "ui/selection_slider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace clipwright {

SelectionSlider::SelectionSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void SelectionSlider::SetSelection(int start, int end, bool redraw) {
    selStart_ = std::min(start, end);
    selEnd_ = std::max(start, end);
    if (redraw) {
        repaint();
    }
}

void SelectionSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The style's groove shows the part left of the handle as filled, which would read as a
    // selection; a plain channel with the band in it is drawn instead, then ticks and handle.
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int height = std::max(6, groove.height());
    const QRect channel(groove.x(), groove.center().y() - height / 2, groove.width(), height);
    painter.fillRect(channel, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(channel.adjusted(0, 0, -1, -1));
    const int span = groove.width() - handle.width();
    if (span > 0 && maximum() > minimum()) {
        const auto at = [&](int value) {
            const int clamped = std::clamp(value, minimum(), maximum());
            return groove.x() + handle.width() / 2 +
                   QStyle::sliderPositionFromValue(minimum(), maximum(), clamped, span);
        };
        const int left = at(selStart_);
        const int right = at(selEnd_);
        painter.fillRect(QRect(left, channel.y() + 1, std::max(right - left, 2), height - 2),
                         palette().color(QPalette::Highlight));
    }
    option.subControls = QStyle::SC_SliderTickmarks | QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

}  // namespace clipwright
