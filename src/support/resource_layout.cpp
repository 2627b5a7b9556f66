#include "support/resource_layout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace clipwright {
namespace {

// Malformed layout data ends the parse; the message names what was wrong.
struct LayoutError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int RequireInt(const QJsonObject& object, const char* name) {
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isDouble()) {
        throw LayoutError(std::string("missing number \"") + name + "\"");
    }
    return value.toInt();
}

std::vector<std::string> StringList(const QJsonValue& value) {
    std::vector<std::string> out;
    for (const QJsonValue& item : value.toArray()) {
        out.push_back(item.toString().toStdString());
    }
    return out;
}

ControlKind ParseKind(const QString& name) {
    static const std::pair<const char*, ControlKind> kKinds[] = {
        {"pushbutton", ControlKind::kPushButton},
        {"defpushbutton", ControlKind::kDefPushButton},
        {"radio", ControlKind::kRadioButton},
        {"checkbox", ControlKind::kCheckBox},
        {"groupbox", ControlKind::kGroupBox},
        {"label", ControlKind::kLabel},
        {"edit", ControlKind::kEdit},
        {"combo", ControlKind::kComboBox},
        {"listview", ControlKind::kListView},
        {"trackbar", ControlKind::kTrackbar},
        {"progress", ControlKind::kProgressBar},
        {"percentbar", ControlKind::kPercentBar},
        {"icon", ControlKind::kIcon},
        {"blackframe", ControlKind::kBlackFrame},
        {"link", ControlKind::kLink},
    };
    for (const auto& [text, kind] : kKinds) {
        if (name == QLatin1String(text)) {
            return kind;
        }
    }
    throw LayoutError("unknown control kind \"" + name.toStdString() + "\"");
}

std::vector<MenuItem> ParseMenuItems(int menuId, const QJsonArray& items) {
    std::vector<MenuItem> out;
    for (const QJsonValue& value : items) {
        const QJsonObject object = value.toObject();
        MenuItem item;
        if (object.value(QLatin1String("separator")).toBool()) {
            item.separator = true;
        } else {
            item.commandId = RequireInt(object, "command");
            item.checked = object.value(QLatin1String("checked")).toBool();
            item.textKey = MenuItemKey(menuId, item.commandId);
        }
        out.push_back(std::move(item));
    }
    return out;
}

std::pair<int, std::vector<MenuItem>> ParseMenu(const QJsonObject& object) {
    const int menuId = RequireInt(object, "id");
    std::vector<MenuItem> popups;
    for (const QJsonValue& value : object.value(QLatin1String("popups")).toArray()) {
        const QJsonObject popupObject = value.toObject();
        MenuItem popup;
        popup.textKey = MenuPopupKey(menuId, RequireInt(popupObject, "popup"));
        popup.children =
            ParseMenuItems(menuId, popupObject.value(QLatin1String("items")).toArray());
        popups.push_back(std::move(popup));
    }
    return {menuId, std::move(popups)};
}

std::pair<int, std::vector<Accelerator>> ParseAccelerators(const QJsonObject& object) {
    std::vector<Accelerator> keys;
    for (const QJsonValue& value : object.value(QLatin1String("keys")).toArray()) {
        const QJsonObject key = value.toObject();
        keys.push_back(
            {key.value(QLatin1String("key")).toString().toStdString(), RequireInt(key, "command")});
    }
    return {RequireInt(object, "id"), std::move(keys)};
}

std::pair<int, Toolbar> ParseToolbar(const QJsonObject& object) {
    Toolbar toolbar;
    toolbar.imageSize = RequireInt(object, "imageSize");
    toolbar.buttonSize = RequireInt(object, "buttonSize");
    const QJsonObject bitmaps = object.value(QLatin1String("bitmaps")).toObject();
    toolbar.normalBitmap = RequireInt(bitmaps, "normal");
    toolbar.hotBitmap = RequireInt(bitmaps, "hot");
    toolbar.disabledBitmap = RequireInt(bitmaps, "disabled");
    for (const QJsonValue& value : object.value(QLatin1String("buttons")).toArray()) {
        const QJsonObject button = value.toObject();
        if (button.value(QLatin1String("separator")).toBool()) {
            toolbar.buttons.push_back({});
        } else {
            toolbar.buttons.push_back({RequireInt(button, "command"), RequireInt(button, "label")});
        }
    }
    return {RequireInt(object, "id"), std::move(toolbar)};
}

DialogControl ParseControl(int dialogId, const QJsonObject& object) {
    DialogControl control;
    control.id = RequireInt(object, "id");
    control.privateId = object.value(QLatin1String("private")).toBool();
    control.kind = ParseKind(object.value(QLatin1String("kind")).toString());
    const QJsonArray rect = object.value(QLatin1String("rect")).toArray();
    if (rect.size() != 4) {
        throw LayoutError("control " + std::to_string(control.id) + " needs a rect of 4 numbers");
    }
    control.rect = {rect[0].toInt(), rect[1].toInt(), rect[2].toInt(), rect[3].toInt()};
    control.visible = object.value(QLatin1String("visible")).toBool(true);
    control.flags = StringList(object.value(QLatin1String("flags")));
    if (object.value(QLatin1String("text")).toBool()) {
        control.textKey = ControlTextKey(dialogId, control.id);
    }
    control.imageId = object.value(QLatin1String("image")).toInt();
    return control;
}

DialogTemplate ParseDialog(const QJsonObject& object) {
    DialogTemplate dialog;
    dialog.id = RequireInt(object, "id");
    const QJsonArray size = object.value(QLatin1String("size")).toArray();
    const QJsonArray font = object.value(QLatin1String("font")).toArray();
    if (size.size() != 2 || font.size() != 2) {
        throw LayoutError("dialog " + std::to_string(dialog.id) + " needs a size and a font");
    }
    dialog.width = size[0].toInt();
    dialog.height = size[1].toInt();
    dialog.fontFamily = font[0].toString().toStdString();
    dialog.fontPointSize = font[1].toInt();
    dialog.flags = StringList(object.value(QLatin1String("flags")));
    if (object.value(QLatin1String("caption")).toBool()) {
        dialog.captionKey = DialogCaptionKey(dialog.id);
    }
    for (const QJsonValue& value : object.value(QLatin1String("controls")).toArray()) {
        DialogControl control = ParseControl(dialog.id, value.toObject());
        if (dialog.Control(control.id) != nullptr) {
            throw LayoutError("dialog " + std::to_string(dialog.id) + " repeats control id " +
                              std::to_string(control.id));
        }
        dialog.controls.push_back(std::move(control));
    }
    return dialog;
}

ResourceLayout ParseRoot(const QJsonObject& root) {
    ResourceLayout layout;
    for (const QJsonValue& value : root.value(QLatin1String("menus")).toArray()) {
        layout.menus.push_back(ParseMenu(value.toObject()));
    }
    for (const QJsonValue& value : root.value(QLatin1String("accelerators")).toArray()) {
        layout.accelerators.push_back(ParseAccelerators(value.toObject()));
    }
    for (const QJsonValue& value : root.value(QLatin1String("toolbars")).toArray()) {
        layout.toolbars.push_back(ParseToolbar(value.toObject()));
    }
    for (const QJsonValue& value : root.value(QLatin1String("dialogs")).toArray()) {
        layout.dialogs.push_back(ParseDialog(value.toObject()));
    }
    return layout;
}

void CollectMenuKeys(const std::vector<MenuItem>& items, std::vector<std::string>& keys) {
    for (const MenuItem& item : items) {
        if (!item.textKey.empty()) {
            keys.push_back(item.textKey);
        }
        CollectMenuKeys(item.children, keys);
    }
}

}  // namespace

bool DialogControl::HasFlag(std::string_view flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

const DialogControl* DialogTemplate::Control(int controlId) const {
    const auto found =
        std::find_if(controls.begin(), controls.end(),
                     [controlId](const DialogControl& c) { return c.id == controlId; });
    return found == controls.end() ? nullptr : &*found;
}

bool DialogTemplate::HasFlag(std::string_view flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::optional<ResourceLayout> ParseResourceLayout(std::string_view json, std::string* error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    if (document.isNull() || !document.isObject()) {
        if (error != nullptr) {
            *error = "layout data is not a JSON object: " + parseError.errorString().toStdString();
        }
        return std::nullopt;
    }
    try {
        return ParseRoot(document.object());
    } catch (const LayoutError& e) {
        if (error != nullptr) {
            *error = e.what();
        }
        return std::nullopt;
    }
}

std::string MenuItemKey(int menuId, int commandId) {
    return "menu." + std::to_string(menuId) + "." + std::to_string(commandId);
}

std::string MenuPopupKey(int menuId, int position) {
    return "menu." + std::to_string(menuId) + ".p" + std::to_string(position);
}

std::string ControlTextKey(int dialogId, int controlId) {
    return "dlg." + std::to_string(dialogId) + "." + std::to_string(controlId);
}

std::string DialogCaptionKey(int dialogId) {
    return "dlg." + std::to_string(dialogId) + ".caption";
}

std::string StringKey(int stringId) {
    return "str." + std::to_string(stringId);
}

std::vector<std::string> LayoutTextKeys(const ResourceLayout& layout) {
    std::vector<std::string> keys;
    for (const auto& [id, popups] : layout.menus) {
        CollectMenuKeys(popups, keys);
    }
    for (const auto& [id, toolbar] : layout.toolbars) {
        for (const ToolbarButton& button : toolbar.buttons) {
            if (button.labelStringId != 0) {
                keys.push_back(StringKey(button.labelStringId));
            }
        }
    }
    for (const DialogTemplate& dialog : layout.dialogs) {
        if (!dialog.captionKey.empty()) {
            keys.push_back(dialog.captionKey);
        }
        for (const DialogControl& control : dialog.controls) {
            if (!control.textKey.empty()) {
                keys.push_back(control.textKey);
            }
        }
    }
    return keys;
}

DialogRect DialogUnitsToPixels(const DialogRect& units, double averageCharWidth, int charHeight) {
    const auto scaleX = [averageCharWidth](int v) {
        return static_cast<int>(std::lround(v * averageCharWidth / 4.0));
    };
    const auto scaleY = [charHeight](int v) {
        return static_cast<int>(std::lround(v * static_cast<double>(charHeight) / 8.0));
    };
    return {scaleX(units.x), scaleY(units.y), scaleX(units.width), scaleY(units.height)};
}

}  // namespace clipwright
