#include "ui/template_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
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
#include <cmath>

#include "support/resource_module.h"
#include "ui/hyper_link.h"
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
        // The chosen one of a row of push-like choices must stand out in any palette: a pressed
        // button is only a shade darker in most styles, and none at all in some dark ones. Only
        // the checked state is styled; the others keep the desktop's own look.
        button->setStyleSheet(
            QStringLiteral("QPushButton:checked { background-color: palette(highlight);"
                           " color: palette(highlighted-text); border: 1px solid palette(shadow);"
                           " border-radius: 2px; font-weight: bold; }"));
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

// As the templates were drawn: the frame's top line runs through the middle of the title, and
// the title sits on the box's top edge rather than above it.
QWidget* MakeGroupBox(QWidget* parent, const QString& text) {
    auto* box = new QGroupBox(text, parent);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0 2px; top: 0px; }"));
    return box;
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

namespace {

double AverageCharWidth(const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(
               QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) /
           52.0;
}

// A face the templates name for its weight ("Arial Black") is stood in for by the desktop's
// own family at that weight.
QFont::Weight WeightOfFace(const std::string& face) {
    if (face.find("Black") != std::string::npos || face.find("Heavy") != std::string::npos) {
        return QFont::Black;
    }
    if (face.find("Bold") != std::string::npos) {
        return QFont::Bold;
    }
    return QFont::Normal;
}

}  // namespace

QSizeF TemplateForm::BaseUnits(int pointSize) {
    return {kBaseUnitWidth * pointSize / 8.0, kBaseUnitHeight * pointSize / 8.0};
}

QRect TemplateForm::ToPixels(const DialogRect& units, QSizeF baseUnits) {
    const auto x = [&](int v) { return static_cast<int>(std::lround(v * baseUnits.width() / 4)); };
    const auto y = [&](int v) { return static_cast<int>(std::lround(v * baseUnits.height() / 8)); };
    return {x(units.x), y(units.y), x(units.width), y(units.height)};
}

bool WritesHan(uint16_t language) {
    const int primary = language & 0x3ff;
    return primary == 0x04 || primary == 0x11 || primary == 0x12;  // Chinese, Japanese, Korean
}

namespace {

// Faces that draw Han characters well at small sizes, the regular ones first; a face with a
// real bold is put first for bold text, so it is not smeared by synthetic emboldening.
QStringList HanFamilies(QFont::Weight weight) {
    static const char* const kRegular[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC"};
    static const char* const kBold[] = {"Noto Sans CJK SC", "WenQuanYi Micro Hei"};
    const QStringList installed = QFontDatabase::families();
    QStringList families;
    for (const char* family : weight >= QFont::DemiBold ? kBold : kRegular) {
        if (installed.contains(QLatin1String(family))) {
            families << QLatin1String(family);
        }
    }
    return families;
}

// A Han line is taller than the Latin line the template was drawn for: a label whose lines do
// not fit its box at the sharp size steps down a pixel at a time (to 9) until they do.
void FitHanLabel(QLabel& label, QSize box) {
    QFont font = label.font();
    const auto fits = [&] {
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 1 << 20),
                                                             Qt::TextWordWrap, label.text());
        return needed.height() <= box.height();
    };
    bool changed = false;
    while (!fits() && font.pixelSize() > 9) {
        font.setPixelSize(font.pixelSize() - 1);
        changed = true;
    }
    if (changed) {
        label.setFont(font);
    }
}

}  // namespace

QFont TemplateForm::HanDialogFont(const QFont& base, int pointSize) {
    QFont font = base;
    const QStringList families = HanFamilies(static_cast<QFont::Weight>(base.weight()));
    if (!families.isEmpty()) {
        font.setFamilies(families + QStringList{base.family()});
    }
    // A Han character is as wide as two average Latin ones and needs all of a line's height:
    // at 8 points 12 pixels, the size these faces are drawn and hinted for, where a Latin-sized
    // 10 or 11 pixels blurs the strokes together.
    const QSizeF units = BaseUnits(pointSize);
    const int pixels =
        static_cast<int>(std::floor(std::min(2 * units.width(), units.height() - 1)));
    font.setPixelSize(std::max(pixels, 8));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont TemplateForm::DialogFont(const QFont& base, int pointSize, bool hanText) {
    if (hanText) {
        return HanDialogFont(base, pointSize);
    }
    return LatinDialogFont(base, pointSize);
}

QFont TemplateForm::LatinDialogFont(const QFont& base, int pointSize) {
    // The templates were drawn for a font whose average character is 6 by 13 pixels at 8
    // points; the desktop's own font is usually larger, so take its largest pixel size that
    // fits in those units.
    const QSizeF units = BaseUnits(pointSize);
    QFont best = base;
    best.setPixelSize(8);
    for (int pixels = 8; pixels <= 32; ++pixels) {
        QFont candidate = base;
        candidate.setPixelSize(pixels);
        if (AverageCharWidth(candidate) > units.width() ||
            QFontMetricsF(candidate).height() > units.height()) {
            break;
        }
        best = candidate;
    }
    return best;
}

TemplateForm::TemplateForm(QWidget* parent, int dialogId, const ResourceModule& module,
                           bool hanText)
    : template_(module.Dialog(dialogId)) {
    if (template_ == nullptr) {
        return;
    }
    QFont face = parent->font();
    face.setWeight(WeightOfFace(template_->fontFamily));
    parent->setFont(DialogFont(face, template_->fontPointSize, hanText));
    // Positions use the template's own base units, not the stand-in font's: laid out as drawn,
    // a form fills the space its template was made for.
    const QSizeF units = BaseUnits(template_->fontPointSize);
    size_ = ToPixels({0, 0, template_->width, template_->height}, units).size();
    QButtonGroup* group = nullptr;
    for (const DialogControl& control : template_->controls) {
        const QString text = QString::fromStdString(
            control.textKey.empty() ? std::string() : module.Text(control.textKey).value_or(""));
        QWidget* widget = MakeControl(parent, control, text);
        if (auto* list = qobject_cast<QTreeWidget*>(widget); list != nullptr && hanText) {
            // The rows are names and times, drawn at the Latin size so they fit the columns as
            // drawn; Han characters in a name fall back to the CJK face.
            QFont rows = LatinDialogFont(face, template_->fontPointSize);
            // The face the Latin size was measured with, by its real name: an alias such as
            // "Sans Serif" first in a list resolves to the first Han face, whose Latin letters
            // are smaller than the ones measured.
            rows.setFamilies(QStringList{QFontInfo(rows).family()} +
                             HanFamilies(static_cast<QFont::Weight>(face.weight())));
            rows.setHintingPreference(QFont::PreferDefaultHinting);
            list->setFont(rows);
            list->header()->setFont(parent->font());
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && hanText) {
            FitHanLabel(*label, widget->geometry().size());
        }
        widget->setGeometry(ToPixels(control.rect, units));
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
    SetTabOrder();
}

void TemplateForm::FitTo(QSize area) {
    if (template_ == nullptr || template_->width <= 0 || template_->height <= 0 ||
        area.width() < size_.width() || area.height() < size_.height()) {
        return;
    }
    const QSizeF units(area.width() * 4.0 / template_->width,
                       area.height() * 8.0 / template_->height);
    for (const DialogControl& control : template_->controls) {
        if (QWidget* widget = Control(control.id)) {
            widget->setGeometry(ToPixels(control.rect, units));
        }
    }
}

void TemplateForm::SetTabOrder() {
    // Template order; a control that lies wholly under a larger one drawn later (the settings
    // of the hidden types under the source list) is out of sight and takes no focus.
    QWidget* previous = nullptr;
    for (const DialogControl& control : template_->controls) {
        QWidget* widget = Control(control.id);
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (IsCovered(control)) {
            widget->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

bool TemplateForm::IsCovered(const DialogControl& control) const {
    const QRect area(control.rect.x, control.rect.y, control.rect.width, control.rect.height);
    bool after = false;
    for (const DialogControl& other : template_->controls) {
        if (&other == &control) {
            after = true;
            continue;
        }
        const bool large = other.kind == ControlKind::kListView || other.kind == ControlKind::kEdit;
        const QRect otherArea(other.rect.x, other.rect.y, other.rect.width, other.rect.height);
        if (after && large && other.visible && otherArea.contains(area)) {
            return true;
        }
    }
    return false;
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
            return MakeGroupBox(parent, text);
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
            return new CHyperLink(text, parent);
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
