// A clipwright-cli batch: the sources checked and probed, the encoder command lines the
// desktop program would use, N encoders at once with their names reserved as the desktop
// program reserves them, progress, the report, the free-space check and the disc.
//
// One Batch is driven by one thread (Run); RequestStop and HardStop may be called from any
// other thread (the signal thread) while it runs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "disc/disc_author.h"
#include "engine/batch_report.h"
#include "engine/run_fit.h"
#include "engine/worker_ui.h"

namespace clipwright::cli {

// The encoder's options for the settings, exactly as a conversion run of the desktop program
// builds them from the same choices.
std::string OptionsFor(const ConversionSettings& settings);

// The folder outputs go to when -o gives none: the desktop program's stored one, else its
// default. Ends in "/".
std::string StoredOutputFolder();

// Cores one encode of the type keeps busy, as measured (tenths); see bench_cli_jobs.
int EncodeThreadsTenths(int32_t outputType);
// --jobs auto: encoders at once for this many cores.
int AutoJobs(int32_t outputType, unsigned cores);

// The English texts of the engine's string ids the command line uses (failure reasons).
std::string EnglishText(int stringId);
// Every (id, text) EnglishText knows, for the test that holds them to the catalog.
const std::vector<std::pair<int, std::string_view>>& EnglishTexts();

// Stands in for the list the workers read: the batch's items and English texts; nothing is
// shown. Only FailureReason's calls are used.
class HeadlessUi : public WorkerUi {
public:
    int RowCount() override { return 0; }
    SourceItem* ItemOfRow(int) override { return nullptr; }
    int AddItem(std::unique_ptr<SourceItem>) override { return -1; }
    int AppendRows(std::vector<std::unique_ptr<SourceItem>>) override { return -1; }
    void InsertRow(int, int) override {}
    void RefreshRow(int) override {}
    void ShowMessage(const std::string&) override {}
    std::string Text(int stringId) override { return EnglishText(stringId); }
    int32_t OutputType() override { return kTypeDvd; }
    std::string OutputFolder() override { return {}; }
    ConversionSettings Settings() override { return {}; }
};

class Batch {
public:
    // out gets progress and the dry run's lines, err the messages. Neither is owned.
    Batch(Options options, std::FILE* out, std::FILE* err);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // The whole run; returns the exit status.
    int Run();

    // Stops the running encoders as Cancel All does; the run ends with kExitInterrupted after
    // removing their partial outputs. Async-signal-unsafe; call from a normal thread.
    void RequestStop();
    // Gives back the names of the files being converted and ends the process at once with
    // kExitInterrupted (the encoders die with it).
    [[noreturn]] void HardStop();

private:
    struct Row;
    struct Slot;

    int Prepare();
    int PrepareSources(std::vector<SourceEntry>& entries);
    int ProbeRows();
    int DryRun();
    bool SpaceFits();
    int Convert();
    void Worker(Slot& slot);
    void ConvertRow(Slot& slot, size_t index);
    void Follow(const std::vector<std::unique_ptr<Slot>>& slots);
    void WriteReport();
    int MakeDisc();
    // A run fitted to one disc (cli_fit.cpp keeps the plan): -1 when the run may go on. quiet:
    // nothing on standard output (a dry run keeps it for its command lines).
    int FitToDisc(bool quiet);
    const SourceItem* RowItemIfProbed(size_t index) const;  // null for a row not probed
    int MakeSplitDiscs(DiscKind kind, const std::vector<DiscTitle>& titles, const PlanCheck& check,
                       const std::string& target, uint64_t capacity);
    int ExitStatus() const;

    void Message(const std::string& text);
    void Emit(size_t index, bool finished);
    void DrawProgress(const std::vector<std::unique_ptr<Slot>>& slots, bool final);
    void ClearBar();
    void PrintSummary();

    Options options_;
    std::FILE* out_;
    std::FILE* err_;
    ProgressMode progress_ = ProgressMode::kLines;
    ConversionSettings settings_;
    std::string commandOptions_;
    std::vector<std::unique_ptr<Row>> rows_;
    HeadlessUi ui_;

    std::mutex lock_;
    std::condition_variable wake_;
    std::vector<std::pair<size_t, bool>> events_;  // under lock_: (row, finished)
    std::atomic<size_t> nextRow_{0};
    std::atomic<int> slotsRunning_{0};
    std::atomic<bool> stop_{false};
    std::vector<Slot*> slots_;  // under lock_, for the stops
    DiscProgress discProgress_;
    uint32_t startTick_ = 0;
    bool barShown_ = false;
    std::string lastJsonProgress_;
    std::unique_ptr<RunFit> fit_;  // --fit-disc
};

}  // namespace clipwright::cli
