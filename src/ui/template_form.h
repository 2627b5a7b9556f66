// Widgets made from a dialog template of the current resource module: every control of the
// template as a child of one parent widget, placed by its dialog units converted with the font's
// average character size, with its text from the module's catalog. User-interface thread only;
// the widgets belong to the parent.
#pragma once

#include <QButtonGroup>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <map>

#include "support/resource_layout.h"

namespace clipwright {

class ResourceModule;

// Whether a language (a Windows language id) is written in Han characters: Chinese, Japanese,
// Korean.
bool WritesHan(uint16_t language);

class TemplateForm {
public:
    // An unknown template leaves the form empty. hanText: the texts are in a language written in
    // Han characters, shown in the CJK face (see DialogFont); the callers take it from the
    // module's language (WritesHan(module.Language())).
    TemplateForm(QWidget* parent, int dialogId, const ResourceModule& module, bool hanText = false);

    QWidget* Control(int controlId) const;
    template <typename T>
    T* Get(int controlId) const {
        return qobject_cast<T*>(Control(controlId));
    }
    // The radio group that starts at the button firstId; its ids count its radio buttons from 0.
    QButtonGroup* RadioGroup(int firstId) const;
    // The template's size in pixels.
    QSize PixelSize() const { return size_; }
    // Lays the controls out again to fill area, which is at least PixelSize(): a form that is
    // its window's whole client area fills it, as on the desktop the templates were drawn for.
    void FitTo(QSize area);
    const DialogTemplate* Template() const { return template_; }

    // Pixels per 4 horizontal and 8 vertical dialog units of an 8-point template, as the
    // templates were drawn.
    static constexpr double kBaseUnitWidth = 6.0;
    static constexpr double kBaseUnitHeight = 13.0;
    // Base units (average character width and height, pixels) of a template of this point size.
    static QSizeF BaseUnits(int pointSize);
    // The font a template of this point size is shown in: base's family and weight at the
    // largest pixel size whose characters fit the template's base units.
    // For texts in Han characters (hanText), the CJK face and the pixel size they render
    // sharply at (see HanDialogFont) stand in.
    static QFont DialogFont(const QFont& base, int pointSize, bool hanText);
    // base's weight in a CJK face (a real bold one for bold text when installed) at the pixel
    // size of two base units' width, within a line's height, fully hinted.
    static QFont HanDialogFont(const QFont& base, int pointSize);
    // base's family and weight at the largest pixel size whose average character fits.
    static QFont LatinDialogFont(const QFont& base, int pointSize);
    // Pixel rectangle of dialog units at these base units.
    static QRect ToPixels(const DialogRect& units, QSizeF baseUnits);

private:
    QWidget* MakeControl(QWidget* parent, const DialogControl& control, const QString& text);
    void SetTabOrder();
    bool IsCovered(const DialogControl& control) const;

    const DialogTemplate* template_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::map<int, QButtonGroup*> groups_;
    QSize size_;
};

}  // namespace clipwright
