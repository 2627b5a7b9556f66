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
    // Groove and ticks first, the band over the groove, the handle on top.
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const int from = std::clamp(selStart_, minimum(), maximum());
    const int to = std::clamp(selEnd_, minimum(), maximum());
    if (span > 0 && maximum() > minimum()) {
        const int left = groove.x() + handle.width() / 2 +
                         QStyle::sliderPositionFromValue(minimum(), maximum(), from, span);
        const int right = groove.x() + handle.width() / 2 +
                          QStyle::sliderPositionFromValue(minimum(), maximum(), to, span);
        const int height = std::max(4, groove.height() / 2);
        const QRect band(left, groove.center().y() - height / 2 + 1, std::max(right - left, 2),
                         height);
        painter.fillRect(band, palette().color(QPalette::Highlight));
    }

    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

}  // namespace clipwright
