// Graph building and media-time seeking against fake graphs and source filters that record
// what was asked of them.
#include <gtest/gtest.h>

#include <map>

#include "base/text_log.h"
#include "preview/graph_building.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

// What a fake source does when loaded, and the results of its pins.
struct SourceBehaviour {
    bool throwOnLoad = false;
    bool fileSource = true;
    // One pin each: direction and what rendering it gives.
    std::vector<std::pair<PinDirection, HRESULT>> pins{{PinDirection::kOutput, E_FAIL}};
};

class FakePin : public Pin {
public:
    FakePin(PinDirection direction, HRESULT render) : direction_(direction), render_(render) {}
    HRESULT QueryDirection(PinDirection* direction) override {
        *direction = direction_;
        return S_OK;
    }
    HRESULT RenderResult() const { return render_; }

private:
    PinDirection direction_;
    HRESULT render_;
};

class FakePins : public EnumPins {
public:
    explicit FakePins(std::vector<std::shared_ptr<Pin>> pins) : pins_(std::move(pins)) {}
    HRESULT Next(std::shared_ptr<Pin>* pin) override {
        if (next_ == pins_.size()) {
            return S_FALSE;
        }
        *pin = pins_[next_++];
        return S_OK;
    }

private:
    std::vector<std::shared_ptr<Pin>> pins_;
    size_t next_ = 0;
};

class FakeFilter : public BaseFilter {
public:
    explicit FakeFilter(SourceBehaviour behaviour) : behaviour_(std::move(behaviour)) {}
    HRESULT EnumPins(std::unique_ptr<clipwright::EnumPins>* pins) override {
        std::vector<std::shared_ptr<Pin>> list;
        for (const auto& [direction, render] : behaviour_.pins) {
            list.push_back(std::make_shared<FakePin>(direction, render));
        }
        *pins = std::make_unique<FakePins>(std::move(list));
        return S_OK;
    }

protected:
    SourceBehaviour behaviour_;
};

class FakeSource : public FakeFilter, public FileSourceFilter {
public:
    using FakeFilter::FakeFilter;
    HRESULT Load(const std::string&) override {
        if (behaviour_.throwOnLoad) {
            throw std::runtime_error("filter fault");
        }
        return S_OK;
    }
};

// A graph that records its calls as text: "RenderFile", "Add <name>", "Remove <name>".
class FakeGraph : public GraphBuilder {
public:
    HRESULT renderFileResult = E_FAIL;
    std::vector<std::string> calls;

    HRESULT AddFilter(const std::shared_ptr<BaseFilter>& filter, const std::string& name) override {
        filters_.emplace_back(filter, name);
        calls.push_back("Add " + name);
        return S_OK;
    }
    HRESULT RemoveFilter(const std::shared_ptr<BaseFilter>& filter) override {
        for (auto it = filters_.begin(); it != filters_.end(); ++it) {
            if (it->first == filter) {
                calls.push_back("Remove " + it->second);
                filters_.erase(it);
                return S_OK;
            }
        }
        return E_INVALIDARG;
    }
    HRESULT EnumFilters(std::vector<std::shared_ptr<BaseFilter>>* filters) override {
        filters->clear();
        for (const auto& entry : filters_) {
            filters->push_back(entry.first);
        }
        return S_OK;
    }
    HRESULT RenderFile(const std::string&) override {
        calls.push_back("RenderFile");
        return renderFileResult;
    }
    HRESULT Render(const std::shared_ptr<Pin>& pin) override {
        return std::dynamic_pointer_cast<FakePin>(pin)->RenderResult();
    }
    size_t FilterCount() const { return filters_.size(); }

private:
    std::vector<std::pair<std::shared_ptr<BaseFilter>, std::string>> filters_;
};

// The three source classes replaced by fakes for one test.
class GraphBuildingTest : public ::testing::Test {
protected:
    std::map<std::string, SourceBehaviour> sources{
        {"real", {}}, {"windows", {}}, {"quicktime", {}}};
    std::shared_ptr<FakeGraph> graph = std::make_shared<FakeGraph>();
    TestFolder dir;

    std::string MediaFile(const std::string& name, size_t size = 4096) const {
        return dir.Write(name, std::string(size, 'x'));
    }

private:
    ClassFactory Factory(const std::string& key) {
        return [this, key]() -> std::shared_ptr<Unknown> {
            const SourceBehaviour& behaviour = sources.at(key);
            if (!behaviour.fileSource) {
                return std::make_shared<FakeFilter>(behaviour);
            }
            return std::make_shared<FakeSource>(behaviour);
        };
    }
    ScopedClassRegistration real_{CLSID_RealMediaSource, Factory("real")};
    ScopedClassRegistration windows_{CLSID_WindowsMediaSource, Factory("windows")};
    ScopedClassRegistration quicktime_{CLSID_QuickTimeSource, Factory("quicktime")};
};

using Calls = std::vector<std::string>;

TEST_F(GraphBuildingTest, RealMediaExtensionsTryTheRealMediaSourceFirstInAnyLetterCase) {
    EXPECT_EQ(RenderMediaFile(graph, MediaFile("clip.RMVB")), E_UNEXPECTED);
    EXPECT_EQ(graph->calls, (Calls{"Add RealMedia Source", "Remove RealMedia Source", "RenderFile",
                                   "Add WindowsMedia Source", "Remove WindowsMedia Source",
                                   "Add QuickTime Source", "Remove QuickTime Source"}));
}

TEST_F(GraphBuildingTest, OtherFilesTryAutomaticRenderingFirstAndStopAtTheFirstSuccess) {
    for (const char* name : {"clip.wmv", "clip.mov", "dir.rm/clip"}) {
        graph = std::make_shared<FakeGraph>();
        EXPECT_EQ(RenderMediaFile(graph, MediaFile(name)), E_UNEXPECTED) << name;
        EXPECT_EQ(graph->calls,
                  (Calls{"RenderFile", "Add WindowsMedia Source", "Remove WindowsMedia Source",
                         "Add RealMedia Source", "Remove RealMedia Source", "Add QuickTime Source",
                         "Remove QuickTime Source"}))
            << name;
    }
    graph = std::make_shared<FakeGraph>();
    sources["windows"].pins = {{PinDirection::kOutput, S_OK}};
    EXPECT_EQ(RenderMediaFile(graph, MediaFile("clip.wmv")), S_OK);
    EXPECT_EQ(graph->calls, (Calls{"RenderFile", "Add WindowsMedia Source"}));
    EXPECT_EQ(graph->FilterCount(), 1u);  // the working source stays in the graph

    graph = std::make_shared<FakeGraph>();
    graph->renderFileResult = S_OK;
    EXPECT_EQ(RenderMediaFile(graph, MediaFile("clip.mov")), S_OK);
    EXPECT_EQ(graph->calls, Calls{"RenderFile"});
}

TEST_F(GraphBuildingTest, FilesUnder102BytesAreRefusedWithOneLogEntry) {
    const std::string log = dir.path() + "log.txt";
    SetLogFilePath(log);
    EXPECT_EQ(RenderMediaFile(graph, MediaFile("short.avi", 101)), E_CUS_FILE_SIZE_TOO_LITTLE);
    SetLogFilePath({});
    EXPECT_TRUE(graph->calls.empty());
    EXPECT_EQ(TestFolder::Read(log), "**Error:E_CUS_FILE_SIZE_TOO_LITTLE,size=101\n");

    graph->renderFileResult = S_OK;
    EXPECT_EQ(RenderMediaFile(graph, MediaFile("enough.avi", 102)), S_OK);
    EXPECT_EQ(graph->calls, Calls{"RenderFile"});
    EXPECT_EQ(RenderMediaFile(nullptr, MediaFile("enough.avi", 102)), E_POINTER);
}

TEST_F(GraphBuildingTest, AFilterThatThrowsEmptiesTheGraphAndTheNextOneIsTried) {
    sources["windows"].throwOnLoad = true;
    sources["real"].fileSource = false;  // cannot load a file at all: fails the same way
    sources["quicktime"].pins = {{PinDirection::kOutput, S_OK}};
    graph->AddFilter(std::make_shared<FakeFilter>(SourceBehaviour{}), "left over");
    graph->calls.clear();
    EXPECT_EQ(RenderMediaFile(graph, MediaFile("clip.avi")), S_OK);
    EXPECT_EQ(graph->calls, (Calls{"RenderFile", "Add WindowsMedia Source", "Remove left over",
                                   "Remove WindowsMedia Source", "Add RealMedia Source",
                                   "Remove RealMedia Source", "Add QuickTime Source"}));
}

TEST_F(GraphBuildingTest, TheLastOutputPinDecides) {
    const auto render = [this](std::vector<std::pair<PinDirection, HRESULT>> pins) {
        return LoadAndRenderSource(
            graph, std::make_shared<FakeSource>(SourceBehaviour{false, true, std::move(pins)}),
            "clip.avi");
    };
    const auto out = PinDirection::kOutput;
    EXPECT_EQ(render({{out, S_OK}, {out, E_FAIL}}), E_FAIL);
    EXPECT_EQ(render({{out, E_FAIL}, {out, S_OK}}), S_OK);
    EXPECT_EQ(render({{out, E_FAIL}, {PinDirection::kInput, E_FAIL}}), S_OK);
    EXPECT_EQ(render({}), E_UNEXPECTED);
    EXPECT_EQ(LoadAndRenderSource(graph, nullptr, "clip.avi"), E_POINTER);
    EXPECT_EQ(RenderWithSource(graph, "clip.avi", "Unknown", Clsid{1, 2, 3, {}}), E_UNEXPECTED);
}

TEST(PathExtension, IsTheTextAfterTheLastDotOfTheWholePath) {
    EXPECT_EQ(PathExtension("/a/clip.RMVB"), "RMVB");
    EXPECT_EQ(PathExtension("/a.rm/clip"), "rm/clip");
    EXPECT_EQ(PathExtension(".rm"), "");
    EXPECT_EQ(PathExtension("a."), "");
}

// Seeking that keeps its own time format (frames, at 10 per second) and counts format changes.
class FakeSeeking : public MediaSeeking {
public:
    TimeFormat format = TimeFormat::kFrame;
    bool mediaTime = true;
    HRESULT durationResult = S_OK;

    HRESULT IsFormatSupported(TimeFormat f) override {
        return f == TimeFormat::kFrame || (f == TimeFormat::kMediaTime && mediaTime) ? S_OK
                                                                                     : S_FALSE;
    }
    HRESULT GetTimeFormat(TimeFormat* f) override {
        *f = format;
        return S_OK;
    }
    HRESULT SetTimeFormat(TimeFormat f) override {
        format = f;
        return S_OK;
    }
    HRESULT SetPositions(int64_t* current, uint32_t, int64_t*, uint32_t) override {
        position = format == TimeFormat::kMediaTime ? *current : *current * 1000000;
        return S_OK;
    }
    HRESULT GetCurrentPosition(int64_t* out) override {
        *out = format == TimeFormat::kMediaTime ? position : position / 1000000;
        return S_OK;
    }
    HRESULT GetDuration(int64_t* out) override {
        *out = format == TimeFormat::kMediaTime ? 590000000 : 590;
        return durationResult;
    }

private:
    RefTime position = 0;
};

TEST(MediaTimeSeeking, WorksInReferenceTimeAndPutsTheFormatBack) {
    const auto seeking = std::make_shared<FakeSeeking>();
    int64_t value = 0;
    EXPECT_EQ(SeekGetDuration(seeking, &value), S_OK);
    EXPECT_EQ(value, 590000000);
    EXPECT_EQ(seeking->format, TimeFormat::kFrame);

    int64_t target = 120000000;
    EXPECT_EQ(SeekSetPositions(seeking, &target, kAbsolutePositioning, nullptr, kNoPositioning),
              S_OK);
    EXPECT_EQ(SeekGetCurrentPosition(seeking, &value), S_OK);
    EXPECT_EQ(value, 120000000);
    EXPECT_EQ(seeking->format, TimeFormat::kFrame);

    seeking->durationResult = E_FAIL;  // a failure returns at once, in media time
    EXPECT_EQ(SeekGetDuration(seeking, &value), E_FAIL);
    EXPECT_EQ(seeking->format, TimeFormat::kMediaTime);

    seeking->mediaTime = false;
    EXPECT_EQ(SeekGetDuration(seeking, &value), E_NOINTERFACE);
    EXPECT_EQ(SeekGetDuration(nullptr, &value), E_NOINTERFACE);
}

}  // namespace
}  // namespace clipwright
