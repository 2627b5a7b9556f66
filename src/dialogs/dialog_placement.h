// Size and place of a dialog built from a template. User-interface thread only.
#pragma once

#include <QSize>
#include <QWidget>

namespace clipwright {

// Fixes the dialog at size (pixels) and centres it on owner's window, or on the screen when
// there is no owner.
void PlaceOnOwner(QWidget& dialog, const QWidget* owner, QSize size);

}  // namespace clipwright
