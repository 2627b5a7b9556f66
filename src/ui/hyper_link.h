// A static text that behaves as a web link (CHyperLink) and its variant for "mailto:" addresses
// (CMailLink), with the link error message. User-interface thread only; the widgets belong to
// their parent.
#pragma once

#include <QColor>
#include <QLabel>
#include <cstdint>

namespace clipwright {

// Style bits of a link control.
inline constexpr uint32_t kLinkUnderline = 0x01;
inline constexpr uint32_t kLinkUseHover = 0x02;
inline constexpr uint32_t kLinkAutoSize = 0x04;
inline constexpr uint32_t kLinkDownClick = 0x08;
inline constexpr uint32_t kLinkGetFocusOnClick = 0x10;
inline constexpr uint32_t kLinkNoHandCursor = 0x20;
inline constexpr uint32_t kLinkNoActiveColor = 0x40;
inline constexpr uint32_t kLinkDefaultStyle = kLinkUnderline | kLinkAutoSize | kLinkGetFocusOnClick;

inline const QColor kLinkColor{0, 0, 255};
inline const QColor kVisitedColor{128, 0, 128};
inline const QColor kActiveColor{0, 128, 128};
inline const QColor kHoverColor{255, 0, 0};

// WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);
// color, or the nearest colour of the same hue lightened (on a dark background) or darkened (on a
// light one) until its contrast against background is at least 4.5:1, so a link keeps its
// meaning and stays readable in any palette.
QColor ReadableOn(const QColor& color, const QColor& background);

// Beeps and shows "Can't open link:\n\n" and the text of an OpenAddress result.
void ReportLinkError(QWidget* parent, int code);

class CHyperLink : public QLabel {
    Q_OBJECT

public:
    // An empty address is taken from the text and an empty text from the address.
    CHyperLink(const QString& text, QWidget* parent, const QString& address = QString());

    void SetLinkAddress(const QString& address);
    const QString& LinkAddress() const { return address_; }
    void SetLinkStyle(uint32_t style);
    uint32_t LinkStyle() const { return style_; }

    bool IsHover() const { return hover_; }
    bool IsActive() const { return active_; }
    bool IsVisited() const { return visited_; }
    // The colour the text is drawn in now.
    QColor CurrentColor() const;

    // Opens the address in the default browser; a failure is reported to the user.
    virtual void FollowLink();

protected:
    void SetVisited();
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyLook();
    void ResizeToText();
    void SetHover(bool hover);

    QString address_;
    uint32_t style_ = kLinkDefaultStyle;
    bool hover_ = false;
    bool active_ = false;
    bool visited_ = false;
};

// Hands its "mailto:" address to the desktop (xdg-open); failures are not reported.
class CMailLink : public CHyperLink {
    Q_OBJECT

public:
    using CHyperLink::CHyperLink;
    void FollowLink() override;
};

}  // namespace clipwright
