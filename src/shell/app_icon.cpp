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

QIcon BuiltInApplicationIcon(bool withLarge) {
    const struct {
        const unsigned char* data;
        size_t size;
    } kSizes[] = {{kApplicationIcon32, kApplicationIcon32Size},
                  {kApplicationIcon64, kApplicationIcon64Size},
                  {kApplicationIcon256, kApplicationIcon256Size}};
    QIcon icon;
    for (const auto& png : kSizes) {
        if (!withLarge && png.data == kApplicationIcon256) {
            continue;
        }
        QPixmap pixmap;
        if (pixmap.loadFromData(png.data, static_cast<unsigned>(png.size), "PNG")) {
            icon.addPixmap(pixmap);
        }
    }
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
