#include "dialogs/dialog_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace clipwright {

void PlaceOnOwner(QWidget& dialog, const QWidget* owner, QSize size) {
    dialog.setFixedSize(size);
    QRect area;
    if (owner != nullptr) {
        area = owner->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        dialog.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

}  // namespace clipwright
