#include "platform/media_graph.h"

#include <map>

#include "platform/mpv_graph.h"

namespace clipwright {

namespace {

std::map<Clsid, ClassFactory>& Registered() {
    static std::map<Clsid, ClassFactory> classes;
    return classes;
}

}  // namespace

HRESULT CreateInstance(const Clsid& clsid, std::shared_ptr<Unknown>* object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    const auto found = Registered().find(clsid);
    *object = found != Registered().end() ? found->second() : CreateMpvObject(clsid);
    return *object ? S_OK : REGDB_E_CLASSNOTREG;
}

ScopedClassRegistration::ScopedClassRegistration(const Clsid& clsid, ClassFactory factory)
    : clsid_(clsid) {
    Registered()[clsid] = std::move(factory);
}

ScopedClassRegistration::~ScopedClassRegistration() {
    Registered().erase(clsid_);
}

}  // namespace clipwright
