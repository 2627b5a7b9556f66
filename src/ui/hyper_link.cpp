#include "ui/hyper_link.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "base/string_ids.h"
#include "platform/address_opener.h"
#include "platform/launcher.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"

namespace clipwright {

namespace {

constexpr double kReadableContrast = 4.5;

double Luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

// The opener's reason in the user's language (LinkErrorText gives the English of each).
std::string LinkErrorInOurWords(int code) {
    for (size_t i = 0; i < kLinkErrorCodes.size(); ++i) {
        if (kLinkErrorCodes[i] == code) {
            return LoadResourceString(kIdsFirstLinkError + static_cast<int>(i));
        }
    }
    return LoadResourceString(kIdsLinkUnknownError, code);
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor ReadableOn(const QColor& color, const QColor& background) {
    if (ContrastRatio(color, background) >= kReadableContrast) {
        return color;
    }
    // Against a dark background towards white, against a light one towards black.
    const bool darkBackground =
        ContrastRatio(background, Qt::white) > ContrastRatio(background, Qt::black);
    const QColor hsl = color.toHsl();
    for (int step = 1; step <= 100; ++step) {
        const float part = static_cast<float>(step) / 100.0F;
        const float lightness = darkBackground ? hsl.lightnessF() + (1.0F - hsl.lightnessF()) * part
                                               : hsl.lightnessF() * (1.0F - part);
        const QColor candidate =
            QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), lightness).toRgb();
        if (ContrastRatio(candidate, background) >= kReadableContrast) {
            return candidate;
        }
    }
    return darkBackground ? QColor(Qt::white) : QColor(Qt::black);
}

void ReportLinkError(QWidget* parent, int code) {
    QApplication::beep();
    ShowMessageBox(parent, LoadResourceString(kIdsCantOpenLink, LinkErrorInOurWords(code)),
                   MessageButtons::kOk, MessageIcon::kExclamation);
}

CHyperLink::CHyperLink(const QString& text, QWidget* parent, const QString& address)
    : QLabel(text, parent), address_(address) {
    if (address_.isEmpty()) {
        address_ = text;
    }
    if (text.isEmpty()) {
        setText(address_);
    }
    setTextFormat(Qt::PlainText);
    // Moves are needed without a button pressed, for the hover colour.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(address_);
    ApplyLook();
}

void CHyperLink::SetLinkAddress(const QString& address) {
    address_ = address;
    setToolTip(address_);
    ResizeToText();
}

void CHyperLink::SetLinkStyle(uint32_t style) {
    style_ = style;
    ApplyLook();
}

QColor CHyperLink::CurrentColor() const {
    if (hover_ && (style_ & kLinkUseHover) != 0) {
        return kHoverColor;
    }
    if ((style_ & kLinkNoActiveColor) == 0 && active_) {
        return kActiveColor;
    }
    return visited_ ? kVisitedColor : kLinkColor;
}

void CHyperLink::ApplyLook() {
    QFont linkFont = font();
    linkFont.setUnderline((style_ & kLinkUnderline) != 0);
    setFont(linkFont);
    if ((style_ & kLinkNoHandCursor) == 0) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText,
                    ReadableOn(CurrentColor(), colors.color(QPalette::Window)));
    setPalette(colors);
    ResizeToText();
    update();
}

void CHyperLink::ResizeToText() {
    if ((style_ & kLinkAutoSize) == 0) {
        return;
    }
    const QSize text = fontMetrics().size(0, this->text());
    const int margins = 2 * (frameWidth() + margin());
    const QSize wanted(text.width() + margins, text.height() + margins);
    const QRect old = geometry();
    QRect next(old.topLeft(), wanted);
    if ((alignment() & Qt::AlignVCenter) != 0) {
        next.moveTop(old.top() + (old.height() - wanted.height()) / 2);
    }
    if ((alignment() & Qt::AlignHCenter) != 0) {
        next.moveLeft(old.left() + (old.width() - wanted.width()) / 2);
    } else if ((alignment() & Qt::AlignRight) != 0) {
        next.moveRight(old.right());
    }
    setGeometry(next);
}

void CHyperLink::SetHover(bool hover) {
    hover_ = hover;
    if (hover) {
        grabMouse();
    } else if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
    ApplyLook();
}

void CHyperLink::SetVisited() {
    visited_ = true;
    ApplyLook();
}

void CHyperLink::FollowLink() {
    const int result = OpenAddress(address_);
    if (result <= 32) {
        ReportLinkError(this, result);
        return;
    }
    SetVisited();
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (!hover_ && inside) {
        SetHover(true);
    } else if (hover_ && !inside) {
        SetHover(false);
    }
    QLabel::mouseMoveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    if ((style_ & kLinkGetFocusOnClick) != 0) {
        setFocus(Qt::MouseFocusReason);
    }
    if ((style_ & kLinkDownClick) != 0) {
        FollowLink();
    }
    active_ = true;
    ApplyLook();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    // A button dragged off the link and released elsewhere does not follow it: the release
    // still comes here, as the press started here, so the pointer's place decides.
    const bool inside = rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && active_ && inside && (style_ & kLinkDownClick) == 0) {
        FollowLink();
    }
    QLabel::mouseReleaseEvent(event);
}

void CHyperLink::focusInEvent(QFocusEvent* event) {
    active_ = true;
    ApplyLook();
    QLabel::focusInEvent(event);
}

void CHyperLink::focusOutEvent(QFocusEvent* event) {
    active_ = false;
    if (hover_) {
        SetHover(false);
    }
    ApplyLook();
    QLabel::focusOutEvent(event);
}

void CHyperLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        FollowLink();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CMailLink::FollowLink() {
    OpenWithDesktop(LinkAddress());
    SetVisited();
}

}  // namespace clipwright
