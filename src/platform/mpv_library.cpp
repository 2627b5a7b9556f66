#include "platform/mpv_library.h"

#include <dlfcn.h>

#include <memory>

#include "platform/media_runtime.h"
#include "platform/mpv_graph.h"

namespace clipwright {

namespace {

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};

struct MpvLibrary {
    std::unique_ptr<void, LibraryCloser> handle;
    MpvApi api;
};

template <typename Function>
bool Resolve(void* handle, const char* name, Function* out) {
    *out = reinterpret_cast<Function>(dlsym(handle, name));
    return *out != nullptr;
}

std::unique_ptr<MpvLibrary> LoadMpv() {
    auto library = std::make_unique<MpvLibrary>();
    // Kept mapped after dlclose: libmpv's libraries are not made to be unloaded, and what they
    // hold in their globals would read as leaked.
    library->handle.reset(dlopen("libmpv.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    if (!library->handle) {
        return nullptr;
    }
    void* const h = library->handle.get();
    MpvApi& a = library->api;
    const bool complete =
        Resolve(h, "mpv_client_api_version", &a.client_api_version) &&
        Resolve(h, "mpv_create", &a.create) && Resolve(h, "mpv_initialize", &a.initialize) &&
        Resolve(h, "mpv_terminate_destroy", &a.terminate_destroy) &&
        Resolve(h, "mpv_set_option_string", &a.set_option_string) &&
        Resolve(h, "mpv_command", &a.command) && Resolve(h, "mpv_set_property", &a.set_property) &&
        Resolve(h, "mpv_set_property_string", &a.set_property_string) &&
        Resolve(h, "mpv_set_property_async", &a.set_property_async) &&
        Resolve(h, "mpv_observe_property", &a.observe_property) &&
        Resolve(h, "mpv_get_property", &a.get_property) &&
        Resolve(h, "mpv_get_property_string", &a.get_property_string) &&
        Resolve(h, "mpv_free", &a.free) && Resolve(h, "mpv_wait_event", &a.wait_event) &&
        Resolve(h, "mpv_set_wakeup_callback", &a.set_wakeup_callback) &&
        Resolve(h, "mpv_render_context_create", &a.render_context_create) &&
        Resolve(h, "mpv_render_context_free", &a.render_context_free) &&
        Resolve(h, "mpv_render_context_render", &a.render_context_render) &&
        Resolve(h, "mpv_render_context_set_update_callback", &a.render_context_set_update_callback);
    if (!complete) {
        return nullptr;
    }
    const unsigned long version = a.client_api_version();
    const RuntimeVersion runtime{static_cast<int>(version >> 16),
                                 static_cast<int>(version & 0xffff)};
    return MediaRuntimeTooOld(runtime) ? nullptr : std::move(library);
}

}  // namespace

const MpvApi* Mpv() {
    static const std::unique_ptr<MpvLibrary> library = LoadMpv();
    return library ? &library->api : nullptr;
}

bool MediaRuntimeUsable() {
    return Mpv() != nullptr;
}

}  // namespace clipwright
