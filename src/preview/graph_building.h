// Building a playable graph for a source file, with fallback source filters, and seeking in
// media time whatever time format the graph uses. Paths are UTF-8. User-interface thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/media_graph.h"

namespace clipwright {

// A source file shorter than this is refused before any filter is touched.
inline constexpr uint64_t kMinimumMediaFileSize = 102;

// Tries libmpv's own choice and the three source filters, RealMedia first for RealMedia
// extensions; an attempt that throws empties the graph and the next one runs. E_POINTER for no
// graph, E_CUS_FILE_SIZE_TOO_LITTLE (logged) for a short file, E_UNEXPECTED when all fail.
HRESULT RenderMediaFile(const std::shared_ptr<GraphBuilder>& graph, const std::string& path);

// Adds the source filter of that class under the name and renders it; on failure the filter
// leaves the graph again. E_UNEXPECTED when the filter cannot be created.
HRESULT RenderWithSource(const std::shared_ptr<GraphBuilder>& graph, const std::string& path,
                         const std::string& filterName, const Clsid& clsid);

// Loads the file into the filter and renders every output pin; the last pin's result counts.
// Throws SourceFilterError when the filter cannot load files.
HRESULT LoadAndRenderSource(const std::shared_ptr<GraphBuilder>& graph,
                            std::shared_ptr<BaseFilter> filter, const std::string& path);

struct SourceFilterError : std::exception {
    const char* what() const noexcept override { return "not a file source filter"; }
};

// The new filter, added to the graph, or nullptr when it could not be created.
std::shared_ptr<BaseFilter> AddFilterByClsid(const std::shared_ptr<GraphBuilder>& graph,
                                             const std::string& filterName, const Clsid& clsid);

// Removes every filter.
HRESULT ClearGraph(const std::shared_ptr<GraphBuilder>& graph);

// One seeking call in media time (100 ns); the graph's own time format is put back afterwards.
// E_NOINTERFACE without seeking or without media time.
HRESULT SeekSetPositions(const std::shared_ptr<MediaSeeking>& seeking, int64_t* current,
                         uint32_t currentFlags, int64_t* stop, uint32_t stopFlags);
HRESULT SeekGetCurrentPosition(const std::shared_ptr<MediaSeeking>& seeking, int64_t* position);
HRESULT SeekGetDuration(const std::shared_ptr<MediaSeeking>& seeking, int64_t* duration);

// The text after the last "." of the whole path; empty when the path is shorter than three
// characters or the "." comes first.
std::string PathExtension(const std::string& path);

}  // namespace clipwright
