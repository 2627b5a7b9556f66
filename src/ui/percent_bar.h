// A progress bar that paints itself: the done part in the palette's highlight colour, the rest in
// its base colour, and a centred text ("50%" or a text that was set) drawn in the opposite colour
// over each part, so the text stays readable as the bar passes beneath it. Positions outside the
// range are allowed (the split then lies outside the widget). User-interface thread only.
#pragma once

#include <QString>
#include <QWidget>

namespace clipwright {

class CPercentBar : public QWidget {
public:
    explicit CPercentBar(QWidget* parent = nullptr);

    // Stores the range; no repaint.
    void SetRange(int lower, int upper);
    // Stores the position and repaints at once only when the filled width in pixels changed.
    // Returns the previous position.
    int SetPos(int position);
    int GetPos() const { return position_; }
    void SetStep(int step) { step_ = step; }
    int GetStep() const { return step_; }

    // The window text: shown instead of the percentage while not empty. Repaints on change.
    void SetText(const QString& text);
    QString Text() const { return text_; }
    void SetShowText(bool show);

    // The text that painting draws: the set text, or the truncated percentage as "%d%".
    QString DisplayText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Fraction done; only meaningful while lower_ < upper_.
    double Fraction() const;
    // Width in pixels of the done part, clamped to the int range.
    int FilledWidth() const;

    int position_ = 0;
    int step_ = 1;
    int upper_ = 100;
    int lower_ = 0;
    QString text_;
    bool showText_ = true;
    int lastBarWidth_ = -1;
};

}  // namespace clipwright
