#include "shell/app_icon.h"

#include <QPixmap>
#include <cstddef>

namespace clipwright {

extern const unsigned char kApplicationIcon32[];
extern const size_t kApplicationIcon32Size;
extern const unsigned char kApplicationIcon64[];
extern const size_t kApplicationIcon64Size;
extern const unsigned char kApplicationIcon256[];
extern const size_t kApplicationIcon256Size;

namespace {

void AddPng(QIcon& icon, const unsigned char* data, size_t size) {
    QPixmap pixmap;
    if (pixmap.loadFromData(data, static_cast<unsigned>(size), "PNG")) {
        icon.addPixmap(pixmap);
    }
}

}  // namespace

QIcon BuiltInApplicationIcon() {
    QIcon icon;
    AddPng(icon, kApplicationIcon32, kApplicationIcon32Size);
    AddPng(icon, kApplicationIcon64, kApplicationIcon64Size);
    return icon;
}

QIcon WithLargeApplicationIcon(QIcon icon) {
    AddPng(icon, kApplicationIcon256, kApplicationIcon256Size);
    return icon;
}

std::optional<QIcon> ThemeApplicationIcon() {
    const QString name = QString::fromLatin1(kApplicationId);
    if (!QIcon::hasThemeIcon(name)) {
        return std::nullopt;
    }
    return QIcon::fromTheme(name);
}

}  // namespace clipwright
