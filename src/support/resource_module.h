// A resource module: the source of every user-visible text, menu, accelerator table, toolbar,
// dialog template and toolbar image. The built-in English module is compiled into the program from
// res/; a language library hands over a catalog in the same format (an id-based Qt .qm catalog,
// compiled by lrelease) and becomes a module of its own. While a module is current, texts are
// looked up in it alone: a text it lacks counts as missing, with no fallback to English.
//
// Modules are immutable once made, so one module may be read from any thread. The current module
// is process-wide; setting and reading it are thread-safe, and a reader keeps the module it got
// alive for as long as it holds the pointer.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "support/resource_layout.h"

class QTranslator;

namespace clipwright {

// The Windows language id of the built-in texts: English (United States).
inline constexpr uint16_t kBuiltInLanguage = 1033;

class ResourceModule {
public:
    // The built-in English module; made once, on first use.
    static std::shared_ptr<const ResourceModule> BuiltIn();

    // A module from compiled catalog bytes (copied). The layout data (menus, templates) of the
    // built-in module is used unless layoutJson is given. nullptr, with *error set, when the
    // catalog or the layout cannot be read. language is the Windows language id of the texts.
    static std::shared_ptr<const ResourceModule> FromCatalog(std::span<const std::byte> catalog,
                                                             std::string* error,
                                                             std::string_view layoutJson = {},
                                                             uint16_t language = kBuiltInLanguage);

    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    // Text by catalog key or string id, UTF-8; nullopt when missing or empty.
    std::optional<std::string> Text(const std::string& key) const;
    std::optional<std::string> String(int stringId) const;

    // Top-level popups of a menu, in position order; nullopt for an unknown menu id.
    std::optional<std::vector<MenuItem>> Menu(int menuId) const;
    std::optional<std::vector<Accelerator>> Accelerators(int tableId) const;
    std::optional<Toolbar> ToolbarLayout(int toolbarId) const;
    const DialogTemplate* Dialog(int dialogId) const;  // nullptr for an unknown id; owned here

    // The images of a toolbar bitmap (134 disabled, 136 normal): one square image per button,
    // in toolbar order; empty for an unknown id. Images carry no text, so every module gives the
    // program's own drawings.
    std::vector<QImage> Bitmap(int bitmapId) const;

    const ResourceLayout& Layout() const { return layout_; }
    // The Windows language id its texts are written in.
    uint16_t Language() const { return language_; }

private:
    ResourceModule(QByteArray catalog, std::unique_ptr<QTranslator> translator,
                   ResourceLayout layout, uint16_t language);

    QByteArray catalog_;  // the translator reads from these bytes for its whole life
    std::unique_ptr<QTranslator> translator_;
    ResourceLayout layout_;
    uint16_t language_;
};

// The current module: the built-in one until another is set. Setting nullptr restores the
// built-in module.
std::shared_ptr<const ResourceModule> CurrentResourceModule();
void SetCurrentResourceModule(std::shared_ptr<const ResourceModule> module);

}  // namespace clipwright
