// A horizontal slider with a selection range drawn as a band along its groove (Qt's slider has
// none). Values are the slider's own units. User-interface thread only.
#pragma once

#include <QSlider>

namespace clipwright {

class SelectionSlider : public QSlider {
    Q_OBJECT

public:
    explicit SelectionSlider(QWidget* parent);

    // The band from start to end (swapped when reversed); redraw false leaves the repaint to
    // the caller.
    void SetSelection(int start, int end, bool redraw);
    int SelectionStart() const { return selStart_; }
    int SelectionEnd() const { return selEnd_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selStart_ = 0;
    int selEnd_ = 0;
};

}  // namespace clipwright
