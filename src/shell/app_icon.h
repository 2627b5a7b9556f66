// The application's icon and the name of its desktop entry, so window managers and taskbars
// match the window to the installed entry. User-interface thread only.
#pragma once

#include <QIcon>
#include <optional>

namespace clipwright {

// The id shared by the desktop entry, the icon and the AppStream metainfo.
inline constexpr const char* kApplicationId = "com.trelvane.Clipwright";

// The 32- and 64-pixel icons built into the program, which the window is first shown with.
QIcon BuiltInApplicationIcon();
// `icon` with the built-in 256-pixel size added; decoding it alone takes some 5 ms.
QIcon WithLargeApplicationIcon(QIcon icon);
// The icon theme's icon of kApplicationId, or nothing when the theme has none. The theme lookup
// reads the theme's index and folders (some 7 ms), so it is made once the window is up.
std::optional<QIcon> ThemeApplicationIcon();

}  // namespace clipwright
