// The structure of the user-interface resources: menus, accelerator tables, toolbars and dialog
// templates, read from the layout data (res/layout.json). Texts are not part of it: each menu item,
// popup and control text is looked up in the catalog by the key that these records name.
// Plain values; safe to share between threads once built.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipwright {

// Controls without an id of their own get ids from this value on, in template order, so that
// every control text has a key of its own.
inline constexpr int kFirstPrivateControlId = 40001;

struct MenuItem {
    int commandId = 0;  // 0 for separators and popups
    bool separator = false;
    bool checked = false;            // drawn with a check mark
    std::string textKey;             // catalog key; empty for separators
    std::vector<MenuItem> children;  // the items of a popup
    bool IsPopup() const { return commandId == 0 && !separator; }
};

struct Accelerator {
    std::string keys;  // in QKeySequence's portable text form, e.g. "Ctrl+N", "Shift+Del"
    int commandId = 0;
};

struct ToolbarButton {
    int commandId = 0;      // 0 for a separator
    int labelStringId = 0;  // string table id of the button text; 0 for a separator
};

struct Toolbar {
    int imageSize = 48;    // pixels
    int buttonSize = 68;   // pixels, image and label
    int normalBitmap = 0;  // bitmap ids of the image lists
    int hotBitmap = 0;
    int disabledBitmap = 0;
    std::vector<ToolbarButton> buttons;
};

enum class ControlKind {
    kPushButton,
    kDefPushButton,
    kRadioButton,
    kCheckBox,
    kGroupBox,
    kLabel,
    kEdit,
    kComboBox,  // drop-down list
    kListView,
    kTrackbar,
    kProgressBar,
    kPercentBar,
    kIcon,
    kBlackFrame,
    kLink,
};

// Rectangle in dialog units (x, y, width, height).
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DialogControl {
    int id = 0;
    bool privateId = false;  // id given by the template data, not known to the code
    ControlKind kind = ControlKind::kLabel;
    DialogRect rect;
    bool visible = true;
    std::vector<std::string> flags;  // "group", "pushlike", "digits", "readonly", "center", ...
    std::string textKey;             // catalog key, empty when the control has no text
    int imageId = 0;                 // icon resource of an icon control
    bool HasFlag(std::string_view flag) const;
};

struct DialogTemplate {
    int id = 0;
    int width = 0;  // dialog units
    int height = 0;
    std::string fontFamily;
    int fontPointSize = 8;
    std::vector<std::string> flags;  // "child", "popup", "caption", "sysmenu", "modalframe", ...
    std::string captionKey;          // empty when the dialog has no caption text
    std::vector<DialogControl> controls;
    const DialogControl* Control(int controlId) const;
    bool HasFlag(std::string_view flag) const;
};

struct ResourceLayout {
    std::vector<std::pair<int, std::vector<MenuItem>>> menus;  // id, top-level popups
    std::vector<std::pair<int, std::vector<Accelerator>>> accelerators;
    std::vector<std::pair<int, Toolbar>> toolbars;
    std::vector<DialogTemplate> dialogs;
};

// Parses the layout data; on malformed data gives nullopt and a description in *error.
std::optional<ResourceLayout> ParseResourceLayout(std::string_view json, std::string* error);

// Catalog keys of the texts.
std::string MenuItemKey(int menuId, int commandId);
std::string MenuPopupKey(int menuId, int position);
std::string ControlTextKey(int dialogId, int controlId);
std::string DialogCaptionKey(int dialogId);
std::string StringKey(int stringId);

// Every catalog key that the layout refers to, string ids of toolbar labels included.
std::vector<std::string> LayoutTextKeys(const ResourceLayout& layout);

// Converts dialog units to pixels from the dialog font's average character width and height,
// as the units are defined: x by width / 4, y by height / 8, rounded.
DialogRect DialogUnitsToPixels(const DialogRect& units, double averageCharWidth, int charHeight);

}  // namespace clipwright
