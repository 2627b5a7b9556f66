// Widgets made from a dialog template of the current resource module: every control of the
// template as a child of one parent widget, placed by its dialog units converted with the font's
// average character size, with its text from the module's catalog. User-interface thread only;
// the widgets belong to the parent.
#pragma once

#include <QButtonGroup>
#include <QSize>
#include <QWidget>
#include <map>

#include "support/resource_layout.h"

namespace clipwright {

class ResourceModule;

class TemplateForm {
public:
    // An unknown template leaves the form empty.
    TemplateForm(QWidget* parent, int dialogId, const ResourceModule& module);

    QWidget* Control(int controlId) const;
    template <typename T>
    T* Get(int controlId) const {
        return qobject_cast<T*>(Control(controlId));
    }
    // The radio group that starts at the button firstId; its ids count its radio buttons from 0.
    QButtonGroup* RadioGroup(int firstId) const;
    // The template's size in pixels.
    QSize PixelSize() const { return size_; }
    const DialogTemplate* Template() const { return template_; }

    // The font a template of this point size is shown in, based on the desktop's font.
    static QFont DialogFont(const QFont& base, int pointSize);
    // Pixel rectangle of dialog units for a widget with this font.
    static QRect ToPixels(const DialogRect& units, const QFont& font);

private:
    QWidget* MakeControl(QWidget* parent, const DialogControl& control, const QString& text);

    const DialogTemplate* template_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::map<int, QButtonGroup*> groups_;
    QSize size_;
};

}  // namespace clipwright
