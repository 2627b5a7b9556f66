#include "ui/hyper_link.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/address_opener.h"
#include "platform/launcher.h"
#include "ui/message_box.h"

namespace clipwright {

void ReportLinkError(QWidget* parent, int code) {
    QApplication::beep();
    ShowMessageBox(parent, ("Can't open link:\n\n" + LinkErrorText(code)).toStdString(),
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
    colors.setColor(QPalette::WindowText, CurrentColor());
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
