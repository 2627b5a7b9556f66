#include "ui/template_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTreeWidget>

#include "support/resource_module.h"
#include "ui/percent_bar.h"
#include "ui/selection_slider.h"

namespace clipwright {

namespace {

QWidget* MakeEdit(QWidget* parent, const DialogControl& control) {
    if (control.HasFlag("multiline")) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly(control.HasFlag("readonly"));
        edit->setLineWrapMode(control.HasFlag("hscroll") ? QPlainTextEdit::NoWrap
                                                         : QPlainTextEdit::WidgetWidth);
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(control.HasFlag("readonly"));
    if (control.HasFlag("digits")) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    return edit;
}

QWidget* MakeLabel(QWidget* parent, const DialogControl& control, const QString& text) {
    auto* label = new QLabel(text, parent);
    Qt::Alignment alignment = Qt::AlignLeft;
    if (control.HasFlag("center")) {
        alignment = Qt::AlignHCenter;
    } else if (control.HasFlag("right")) {
        alignment = Qt::AlignRight;
    }
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    if (control.HasFlag("border")) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}

QWidget* MakeList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(false);
    list->header()->setStretchLastSection(false);
    return list;
}

QWidget* MakeButton(QWidget* parent, const DialogControl& control, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setDefault(control.kind == ControlKind::kDefPushButton);
    button->setAutoDefault(false);
    return button;
}

QWidget* MakeRadio(QWidget* parent, const DialogControl& control, const QString& text) {
    if (control.HasFlag("pushlike")) {
        auto* button = new QPushButton(text, parent);
        button->setCheckable(true);
        button->setAutoDefault(false);
        return button;
    }
    return new QRadioButton(text, parent);
}

QWidget* MakeSlider(QWidget* parent, const DialogControl& control) {
    // A slider with a selection range shows it as a band, which Qt's slider cannot.
    QSlider* slider = control.HasFlag("selrange") ? new SelectionSlider(parent)
                                                  : new QSlider(Qt::Horizontal, parent);
    if (control.HasFlag("autoticks")) {
        slider->setTickPosition(QSlider::TicksBelow);
    }
    return slider;
}

QWidget* MakeFrame(QWidget* parent, bool black) {
    auto* frame = new QFrame(parent);
    if (black) {
        frame->setAutoFillBackground(true);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, Qt::black);
        frame->setPalette(palette);
    }
    return frame;
}

}  // namespace

QRect TemplateForm::ToPixels(const DialogRect& units, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double averageWidth = metrics.horizontalAdvance(QStringLiteral(
                                    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) /
                                52.0;
    const DialogRect pixels =
        DialogUnitsToPixels(units, averageWidth, static_cast<int>(metrics.height() + 0.5));
    return {pixels.x, pixels.y, pixels.width, pixels.height};
}

QFont TemplateForm::DialogFont(const QFont& base, int pointSize) {
    // Templates are laid out for a font whose average character is 6 by 13 pixels at 8 points;
    // the desktop's own font is usually wider, so take the largest pixel size that is not.
    const double target = 6.0 * pointSize / 8.0;
    QFont best = base;
    best.setPixelSize(8);
    for (int pixels = 8; pixels <= 24; ++pixels) {
        QFont candidate = base;
        candidate.setPixelSize(pixels);
        const QFontMetricsF metrics(candidate);
        const double average = metrics.horizontalAdvance(QStringLiteral(
                                   "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) /
                               52.0;
        if (average > target) {
            break;
        }
        best = candidate;
    }
    return best;
}

TemplateForm::TemplateForm(QWidget* parent, int dialogId, const ResourceModule& module)
    : template_(module.Dialog(dialogId)) {
    if (template_ == nullptr) {
        return;
    }
    parent->setFont(DialogFont(parent->font(), template_->fontPointSize));
    const QFont font = parent->font();
    size_ = ToPixels({0, 0, template_->width, template_->height}, font).size();
    QButtonGroup* group = nullptr;
    for (const DialogControl& control : template_->controls) {
        const QString text = QString::fromStdString(
            control.textKey.empty() ? std::string() : module.Text(control.textKey).value_or(""));
        QWidget* widget = MakeControl(parent, control, text);
        widget->setGeometry(ToPixels(control.rect, font));
        widget->setVisible(control.visible);
        if (control.kind == ControlKind::kGroupBox) {
            widget->lower();
        }
        controls_[control.id] = widget;
        if (control.HasFlag("group")) {
            group = nullptr;
            if (control.kind == ControlKind::kRadioButton) {
                group = new QButtonGroup(parent);
                group->setExclusive(true);
                groups_[control.id] = group;
            }
        }
        if (control.kind == ControlKind::kRadioButton && group != nullptr) {
            group->addButton(static_cast<QAbstractButton*>(widget),
                             static_cast<int>(group->buttons().size()));
        }
    }
}

QWidget* TemplateForm::MakeControl(QWidget* parent, const DialogControl& control,
                                   const QString& text) {
    switch (control.kind) {
        case ControlKind::kPushButton:
        case ControlKind::kDefPushButton:
            return MakeButton(parent, control, text);
        case ControlKind::kRadioButton:
            return MakeRadio(parent, control, text);
        case ControlKind::kCheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::kGroupBox:
            return new QGroupBox(text, parent);
        case ControlKind::kEdit:
            return MakeEdit(parent, control);
        case ControlKind::kComboBox:
            return new QComboBox(parent);
        case ControlKind::kListView:
            return MakeList(parent);
        case ControlKind::kTrackbar:
            return MakeSlider(parent, control);
        case ControlKind::kProgressBar: {
            auto* bar = new QProgressBar(parent);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::kPercentBar:
            return new CPercentBar(parent);
        case ControlKind::kBlackFrame:
            return MakeFrame(parent, true);
        case ControlKind::kIcon: {
            auto* icon = new QLabel(parent);
            icon->setPixmap(parent->windowIcon().pixmap(32, 32));
            return icon;
        }
        case ControlKind::kLink:
        case ControlKind::kLabel:
        default:
            return MakeLabel(parent, control, text);
    }
}

QWidget* TemplateForm::Control(int controlId) const {
    const auto found = controls_.find(controlId);
    return found == controls_.end() ? nullptr : found->second;
}

QButtonGroup* TemplateForm::RadioGroup(int firstId) const {
    const auto found = groups_.find(firstId);
    return found == groups_.end() ? nullptr : found->second;
}

}  // namespace clipwright
