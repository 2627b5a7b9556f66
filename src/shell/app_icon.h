// The application's icon and the name of its desktop entry, so window managers and taskbars
// match the window to the installed entry. User-interface thread only.
#pragma once

#include <QIcon>
#include <optional>

namespace clipwright {

// The id shared by the desktop entry, the icon and the AppStream metainfo.
inline constexpr const char* kApplicationId = "com.trelvane.Clipwright";

// The sizes built into the program: 32 and 64 pixels, and with `withLarge` also 256, whose
// decoding alone takes some 5 ms; the window is first shown with the small ones.
QIcon BuiltInApplicationIcon(bool withLarge);
// The icon theme's icon of kApplicationId, or nothing when the theme has none. The theme lookup
// reads the theme's index and folders (some 7 ms), so it is made once the window is up.
std::optional<QIcon> ThemeApplicationIcon();

}  // namespace clipwright
