// Every template of every shipped catalog, built as the program builds it: each text must show
// whole within its control at the font in use, and the main form must fill the area it is given.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "shell/language.h"
#include "support/resource_module.h"
#include "ui/template_form.h"

namespace clipwright {
namespace {

constexpr int kTemplates[] = {100, 101, 106, 107, 137, 138};

// The catalogs the build ships: the built-in one and each language library's.
std::vector<std::pair<std::string, std::shared_ptr<const ResourceModule>>> ShippedCatalogs() {
    std::vector<std::pair<std::string, std::shared_ptr<const ResourceModule>>> catalogs = {
        {"English", ResourceModule::BuiltIn()}};
    for (const char* library : {CHINESE_LIBRARY, GERMAN_LIBRARY}) {
        EXPECT_TRUE(LoadLanguageLibrary(library)) << library;
        catalogs.emplace_back(library, CurrentResourceModule());
    }
    SetLanguage(kEnglishUs);
    return catalogs;
}

// The text as drawn: "&&" is a literal ampersand, a single "&" marks the accelerator.
QString Shown(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// Pixels the control needs beyond its text's width.
int Chrome(const QWidget& widget) {
    QStyleOptionButton option;
    option.initFrom(&widget);
    if (qobject_cast<const QCheckBox*>(&widget) != nullptr) {
        return widget.style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, &widget) +
               widget.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, &widget);
    }
    if (qobject_cast<const QRadioButton*>(&widget) != nullptr) {
        return widget.style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, &widget) +
               widget.style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, &widget);
    }
    // A push button draws its text centred inside its frame.
    return 2 * widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &widget) + 2;
}

// Empty when the text shows whole; otherwise what is cut.
std::string Problem(const QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const QString text = Shown(label->text());
        if (text.isEmpty()) {
            return {};
        }
        const QRect room = label->contentsRect();
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text);
        if (needed.height() > room.height() || needed.width() > room.width()) {
            return "label needs " + std::to_string(needed.width()) + "x" +
                   std::to_string(needed.height()) + ", has " + std::to_string(room.width()) + "x" +
                   std::to_string(room.height());
        }
        return {};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        const QString text = Shown(button->text());
        int width = 0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            width = std::max(width, metrics.horizontalAdvance(line));
        }
        const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
        if (width + Chrome(widget) > widget.width() || lines * metrics.height() > widget.height()) {
            return "button needs " + std::to_string(width + Chrome(widget)) + " wide, has " +
                   std::to_string(widget.width());
        }
        return {};
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) {
        const int width = metrics.horizontalAdvance(Shown(box->title())) + 12;
        return width > box->width() ? "group title does not fit" : std::string();
    }
    return {};
}

TEST(TemplateFit, EveryTextShowsWholeInEveryShippedCatalog) {
    for (const auto& [language, module] : ShippedCatalogs()) {
        for (const int id : kTemplates) {
            const DialogTemplate* dialog = module->Dialog(id);
            if (dialog == nullptr) {
                continue;
            }
            QWidget parent;
            const TemplateForm form(&parent, id, *module);
            for (const DialogControl& control : dialog->controls) {
                const QWidget* widget = form.Control(control.id);
                ASSERT_NE(widget, nullptr);
                const std::string problem = Problem(*widget);
                EXPECT_TRUE(problem.empty()) << language << ", template " << id << ", control "
                                             << control.id << ": " << problem;
            }
        }
    }
}

// The progress dialog's time-left line is written at run time: its widest form must fit too.
TEST(TemplateFit, TheTimeLeftOfARunFitsItsLineInEveryShippedCatalog) {
    constexpr int kProgressDialog = 106;
    constexpr int kTimeLeftLine = 1041;
    for (const auto& [language, module] : ShippedCatalogs()) {
        const std::optional<std::string> format = module->Text("str.61400");
        ASSERT_TRUE(format.has_value()) << language;
        QWidget parent;
        const TemplateForm form(&parent, kProgressDialog, *module);
        auto* label = form.Get<QLabel>(kTimeLeftLine);
        ASSERT_NE(label, nullptr);
        label->setText(QString::fromStdString(FormatText(format->c_str(), "888.8x", "100:00:00")));
        EXPECT_EQ(Problem(*label), "") << language;
    }
}

TEST(TemplateFit, AFormFillsTheAreaItIsGiven) {
    const auto module = ResourceModule::BuiltIn();
    QWidget parent;
    TemplateForm form(&parent, 101, *module);
    const QSize area = form.PixelSize() + QSize(17, 14);
    form.FitTo(area);
    int right = 0;
    int bottom = 0;
    for (const DialogControl& control : module->Dialog(101)->controls) {
        const QRect r = form.Control(control.id)->geometry();
        right = std::max(right, r.right() + 1);
        bottom = std::max(bottom, r.bottom() + 1);
    }
    // The template leaves a margin of a few units on the right and at the bottom.
    EXPECT_GE(right, area.width() - 8);
    EXPECT_LE(right, area.width());
    EXPECT_GE(bottom, area.height() - 8);
    EXPECT_LE(bottom, area.height());
}

}  // namespace
}  // namespace clipwright
