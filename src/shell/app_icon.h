// The application's icon and the name of its desktop entry, so window managers and taskbars
// match the window to the installed entry. User-interface thread only.
#pragma once

#include <QIcon>

namespace clipwright {

// The id shared by the desktop entry, the icon and the AppStream metainfo.
inline constexpr const char* kApplicationId = "com.trelvane.Clipwright";

// The installed theme icon when there is one, else the sizes built into the program.
QIcon ApplicationIcon();

}  // namespace clipwright
