// A list, an item array and a message box in memory, standing in for the view in worker tests.
// Thread-safe: workers call it from their own threads while the test looks on.
#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "engine/worker_ui.h"

namespace clipwright::testing {

class FakeWorkerUi : public WorkerUi {
public:
    int RowCount() override {
        const std::lock_guard lock(mutex_);
        return static_cast<int>(rows_.size());
    }
    SourceItem* ItemOfRow(int row) override {
        const std::lock_guard lock(mutex_);
        return slots_.at(static_cast<size_t>(rows_.at(static_cast<size_t>(row)))).get();
    }
    int AddItem(std::unique_ptr<SourceItem> item) override {
        const std::lock_guard lock(mutex_);
        slots_.push_back(std::move(item));
        return static_cast<int>(slots_.size()) - 1;
    }
    void InsertRow(int row, int itemIndex) override {
        const std::lock_guard lock(mutex_);
        rows_.insert(rows_.begin() + row, itemIndex);
    }
    void RefreshRow(int row) override {
        const std::lock_guard lock(mutex_);
        const SourceItem& item =
            *slots_.at(static_cast<size_t>(rows_.at(static_cast<size_t>(row))));
        refreshes_.push_back({row, item.status, TargetName(item)});
    }
    int AppendRows(std::vector<std::unique_ptr<SourceItem>> items) override {
        const int first = RowCount();
        for (std::unique_ptr<SourceItem>& item : items) {
            const int row = RowCount();
            InsertRow(row, AddItem(std::move(item)));
            RefreshRow(row);
        }
        const std::lock_guard lock(mutex_);
        handOvers_.push_back(static_cast<int>(items.size()));
        return first;
    }
    void ShowMessage(const std::string& text) override {
        const std::lock_guard lock(mutex_);
        messages_.push_back(text);
    }
    std::string Text(int id) override {
        static const std::map<int, std::string> kTexts = {
            {61215,
             "Step %d/%d: From \"%s\" \n          to \"%s\" \n          Click \"Skip\" or "
             "\"Cancel\" to abort conversion."},
            {61243,
             "Unknown file format . Please ensure your computer can playback the file "
             "normally."},
            {61222, "Please note the following reasons:"},
            {61212, "Detecting selected files.\nNo.%d/%d: \"%s\""},
            {61205, "Can't playback the following files."},
            {61244, "The encoder program %s is missing.\nIt was looked for in:\n%s"},
            {61380, "did not answer within %d s"},
            {61381, "the encoder program ended unexpectedly"},
            {61402, "The chosen part is empty."},
            {61403, "There is no encoder for this output type."},
            {61404, "The encoder program %s is missing or could not be started."},
            {61405, "The output folder %s cannot be written to."},
            {61406, "The disk of the output folder is full."},
            {61520, "The encoder program ended with status %d and gave no reason."},
            {61521, "The encoder program was ended by signal %d (%s)."},
            {61522,
             "The encoder program closed its output but did not end; it was stopped after "
             "%d s."},
            {61523, "the encoder program found no length in it and gave no reason"},
            {61524,
             "the file name is not valid UTF-8 and could not be passed on unchanged, so the "
             "file was not found"},
            {61525, "The encoder program %s exists but is not executable."},
            {61526, "The encoder program %s is a folder, not a program."},
            {61527, "The output file name is too long for the file system of the folder %s."},
            {61440, "the name holds a zero byte, which no file name can hold"},
            {61441, "This row's record did not match the list, so the row was not converted."},
        };
        const auto found = kTexts.find(id);
        return found == kTexts.end() ? std::string() : found->second;
    }
    int32_t OutputType() override {
        const std::lock_guard lock(mutex_);
        return settings_.outputType;
    }
    std::string OutputFolder() override {
        const std::lock_guard lock(mutex_);
        return settings_.outputFolder;
    }
    ConversionSettings Settings() override {
        const std::lock_guard lock(mutex_);
        return settings_;
    }

    // Test side.
    struct Refresh {
        int row;
        int32_t status;
        std::string target;
    };
    void SetSettings(const ConversionSettings& settings) {
        const std::lock_guard lock(mutex_);
        settings_ = settings;
    }
    void AddRow(const SourceItem& item) {
        InsertRow(RowCount(), AddItem(std::make_unique<SourceItem>(item)));
    }
    std::vector<std::string> Messages() {
        const std::lock_guard lock(mutex_);
        return messages_;
    }
    // Two rows sharing one item, as no list should ever hold (for the workers' checks).
    void AddRowOfItemInSlot(int slot) { InsertRow(RowCount(), slot); }
    // The number of items of each AppendRows call, in order.
    std::vector<int> HandOvers() {
        const std::lock_guard lock(mutex_);
        return handOvers_;
    }
    std::vector<Refresh> Refreshes() {
        const std::lock_guard lock(mutex_);
        return refreshes_;
    }

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<SourceItem>> slots_;
    std::vector<int> rows_;
    std::vector<Refresh> refreshes_;
    std::vector<std::string> messages_;
    std::vector<int> handOvers_;
    ConversionSettings settings_;
};

}  // namespace clipwright::testing
