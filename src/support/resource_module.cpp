#include "support/resource_module.h"

#include <QTranslator>
#include <mutex>

#include "support/toolbar_images.h"

namespace clipwright {

// The bytes of res/clipwright_en.qm and res/layout.json, embedded at build time.
extern const unsigned char kBuiltInCatalog[];
extern const size_t kBuiltInCatalogSize;
extern const unsigned char kBuiltInLayout[];
extern const size_t kBuiltInLayoutSize;

namespace {

std::string_view BuiltInLayoutJson() {
    return {reinterpret_cast<const char*>(kBuiltInLayout), kBuiltInLayoutSize};
}

std::mutex currentMutex;
std::shared_ptr<const ResourceModule> currentModule;  // guarded by currentMutex; null = built-in

}  // namespace

ResourceModule::ResourceModule(QByteArray catalog, std::unique_ptr<QTranslator> translator,
                               ResourceLayout layout, uint16_t language)
    : catalog_(std::move(catalog)),
      translator_(std::move(translator)),
      layout_(std::move(layout)),
      language_(language) {}

ResourceModule::~ResourceModule() = default;

std::shared_ptr<const ResourceModule> ResourceModule::BuiltIn() {
    static const std::shared_ptr<const ResourceModule> builtIn = [] {
        std::string error;
        auto module =
            FromCatalog(std::as_bytes(std::span(kBuiltInCatalog, kBuiltInCatalogSize)), &error);
        if (!module) {
            // The build compiles both files; reaching this means a broken build, not bad input.
            qFatal("built-in resources cannot be read: %s", error.c_str());
        }
        return module;
    }();
    return builtIn;
}

std::shared_ptr<const ResourceModule> ResourceModule::FromCatalog(
    std::span<const std::byte> catalog, std::string* error, std::string_view layoutJson,
    uint16_t language) {
    QByteArray bytes(reinterpret_cast<const char*>(catalog.data()),
                     static_cast<qsizetype>(catalog.size()));
    auto translator = std::make_unique<QTranslator>();
    if (bytes.isEmpty() || !translator->load(reinterpret_cast<const uchar*>(bytes.constData()),
                                             static_cast<int>(bytes.size()))) {
        if (error != nullptr) {
            *error = "the catalog is not a compiled Qt translation catalog";
        }
        return nullptr;
    }
    std::optional<ResourceLayout> layout =
        ParseResourceLayout(layoutJson.empty() ? BuiltInLayoutJson() : layoutJson, error);
    if (!layout) {
        return nullptr;
    }
    return std::shared_ptr<const ResourceModule>(
        new ResourceModule(std::move(bytes), std::move(translator), std::move(*layout), language));
}

std::optional<std::string> ResourceModule::Text(const std::string& key) const {
    const QString text = translator_->translate(nullptr, key.c_str());
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text.toStdString();
}

std::optional<std::string> ResourceModule::String(int stringId) const {
    return Text(StringKey(stringId));
}

std::optional<std::vector<MenuItem>> ResourceModule::Menu(int menuId) const {
    for (const auto& [id, popups] : layout_.menus) {
        if (id == menuId) {
            return popups;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<Accelerator>> ResourceModule::Accelerators(int tableId) const {
    for (const auto& [id, keys] : layout_.accelerators) {
        if (id == tableId) {
            return keys;
        }
    }
    return std::nullopt;
}

std::optional<Toolbar> ResourceModule::ToolbarLayout(int toolbarId) const {
    for (const auto& [id, toolbar] : layout_.toolbars) {
        if (id == toolbarId) {
            return toolbar;
        }
    }
    return std::nullopt;
}

const DialogTemplate* ResourceModule::Dialog(int dialogId) const {
    for (const DialogTemplate& dialog : layout_.dialogs) {
        if (dialog.id == dialogId) {
            return &dialog;
        }
    }
    return nullptr;
}

std::vector<QImage> ResourceModule::Bitmap(int bitmapId) const {
    switch (bitmapId) {
        case kToolbarBitmapNormal:
            return DrawToolbarImages(ToolbarImageState::kNormal);
        case kToolbarBitmapDisabled:
            return DrawToolbarImages(ToolbarImageState::kDisabled);
        default:
            return {};
    }
}

std::shared_ptr<const ResourceModule> CurrentResourceModule() {
    {
        const std::lock_guard lock(currentMutex);
        if (currentModule) {
            return currentModule;
        }
    }
    return ResourceModule::BuiltIn();
}

void SetCurrentResourceModule(std::shared_ptr<const ResourceModule> module) {
    const std::lock_guard lock(currentMutex);
    currentModule = std::move(module);
}

}  // namespace clipwright
