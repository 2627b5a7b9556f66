#include "preview/graph_building.h"

#include <QString>
#include <filesystem>

#include "base/text_log.h"

namespace clipwright {

namespace {

struct NamedSource {
    const char* name;
    Clsid clsid;
};

constexpr NamedSource kRealMedia{"RealMedia Source", CLSID_RealMediaSource};
constexpr NamedSource kWindowsMedia{"WindowsMedia Source", CLSID_WindowsMediaSource};
constexpr NamedSource kQuickTime{"QuickTime Source", CLSID_QuickTimeSource};

bool IsRealMediaExtension(const std::string& extension) {
    const QString lower = QString::fromStdString(extension).toLower();
    return lower == QLatin1String("rmvb") || lower == QLatin1String("ram") ||
           lower == QLatin1String("rm") || lower == QLatin1String("ra");
}

// One guarded attempt: anything thrown empties the graph and counts as a failure.
struct Attempts {
    const std::shared_ptr<GraphBuilder>& graph;
    HRESULT result = E_UNEXPECTED;
    bool raised = false;

    template <typename F>
    void Run(F&& attempt) {
        try {
            result = attempt();
            raised = false;
        } catch (...) {
            raised = true;
            ClearGraph(graph);
        }
    }
    bool Succeeded() const { return clipwright::Succeeded(result) && !raised; }
    void RunSource(const std::string& path, const NamedSource& source) {
        Run([&] { return RenderWithSource(graph, path, source.name, source.clsid); });
    }
};

template <typename Operation>
HRESULT InMediaTime(const std::shared_ptr<MediaSeeking>& seeking, Operation&& operation) {
    if (!seeking || seeking->IsFormatSupported(TimeFormat::kMediaTime) != S_OK) {
        return E_NOINTERFACE;
    }
    TimeFormat saved = TimeFormat::kNone;
    if (const HRESULT result = seeking->GetTimeFormat(&saved); Failed(result)) {
        return result;
    }
    if (const HRESULT result = seeking->SetTimeFormat(TimeFormat::kMediaTime); Failed(result)) {
        return result;
    }
    const HRESULT result = operation();
    if (Failed(result) || saved == TimeFormat::kMediaTime) {
        return result;
    }
    return seeking->SetTimeFormat(saved);
}

}  // namespace

std::string PathExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (path.size() < 3 || dot == std::string::npos || dot == 0) {
        return {};
    }
    return path.substr(dot + 1);
}

HRESULT RenderMediaFile(const std::shared_ptr<GraphBuilder>& graph, const std::string& path) {
    if (!graph) {
        return E_POINTER;
    }
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size < kMinimumMediaFileSize) {
        LogMessage("**Error:E_CUS_FILE_SIZE_TOO_LITTLE,size=%d", static_cast<int>(size));
        return E_CUS_FILE_SIZE_TOO_LITTLE;
    }
    Attempts attempts{graph};
    const bool realFirst = IsRealMediaExtension(PathExtension(path));
    if (realFirst) {
        attempts.RunSource(path, kRealMedia);
    }
    if (!realFirst || !attempts.Succeeded()) {
        attempts.Run([&] { return graph->RenderFile(path); });
    }
    for (const NamedSource* source : {&kWindowsMedia, &kRealMedia, &kQuickTime}) {
        if (attempts.Succeeded()) {
            return attempts.result;
        }
        if (!(realFirst && source == &kRealMedia)) {
            attempts.RunSource(path, *source);
        }
    }
    return attempts.Succeeded() ? attempts.result : E_UNEXPECTED;
}

HRESULT RenderWithSource(const std::shared_ptr<GraphBuilder>& graph, const std::string& path,
                         const std::string& filterName, const Clsid& clsid) {
    if (!graph) {
        return E_POINTER;
    }
    std::shared_ptr<BaseFilter> filter = AddFilterByClsid(graph, filterName, clsid);
    if (!filter) {
        return E_UNEXPECTED;
    }
    const HRESULT result = LoadAndRenderSource(graph, filter, path);
    if (Failed(result)) {
        graph->RemoveFilter(filter);
    }
    return result;
}

HRESULT LoadAndRenderSource(const std::shared_ptr<GraphBuilder>& graph,
                            std::shared_ptr<BaseFilter> filter, const std::string& path) {
    if (!graph || !filter) {
        return E_POINTER;
    }
    std::shared_ptr<FileSourceFilter> source;
    if (Failed(QueryInterface(filter, &source))) {
        throw SourceFilterError();
    }
    source->Load(path);  // a failed load shows as no pins or pins that do not render
    source.reset();
    std::unique_ptr<EnumPins> pins;
    if (Failed(filter->EnumPins(&pins)) || !pins) {
        return E_UNEXPECTED;
    }
    bool seen = false;
    HRESULT result = E_UNEXPECTED;
    std::shared_ptr<Pin> pin;
    while (pins->Next(&pin) == S_OK && pin) {
        seen = true;
        PinDirection direction = PinDirection::kInput;
        result = pin->QueryDirection(&direction);
        if (Failed(result)) {
            break;
        }
        if (direction == PinDirection::kOutput) {
            result = graph->Render(pin);
        }
    }
    return seen ? result : E_UNEXPECTED;
}

std::shared_ptr<BaseFilter> AddFilterByClsid(const std::shared_ptr<GraphBuilder>& graph,
                                             const std::string& filterName, const Clsid& clsid) {
    std::shared_ptr<BaseFilter> filter;
    if (!graph || Failed(CoCreateInstance(clsid, &filter))) {
        return nullptr;
    }
    graph->AddFilter(filter, filterName);
    return filter;
}

HRESULT ClearGraph(const std::shared_ptr<GraphBuilder>& graph) {
    if (!graph) {
        return E_POINTER;
    }
    std::vector<std::shared_ptr<BaseFilter>> filters;
    if (const HRESULT result = graph->EnumFilters(&filters); Failed(result)) {
        return result;
    }
    for (const std::shared_ptr<BaseFilter>& filter : filters) {
        graph->RemoveFilter(filter);
    }
    return S_OK;
}

HRESULT SeekSetPositions(const std::shared_ptr<MediaSeeking>& seeking, int64_t* current,
                         uint32_t currentFlags, int64_t* stop, uint32_t stopFlags) {
    return InMediaTime(
        seeking, [&] { return seeking->SetPositions(current, currentFlags, stop, stopFlags); });
}

HRESULT SeekGetCurrentPosition(const std::shared_ptr<MediaSeeking>& seeking, int64_t* position) {
    return InMediaTime(seeking, [&] { return seeking->GetCurrentPosition(position); });
}

HRESULT SeekGetDuration(const std::shared_ptr<MediaSeeking>& seeking, int64_t* duration) {
    return InMediaTime(seeking, [&] { return seeking->GetDuration(duration); });
}

}  // namespace clipwright
