// A source list in memory that, like the view's, the dialogs' workers reach through
// UiThreadWorkerUi: a call from another thread blocks until the user-interface thread has run it,
// so a dialog that stops servicing events while its worker runs hangs here as it would in the
// program. The worker's failure summary goes through the message box seam, which must hold an
// answer for it. Create and use on the user-interface thread; the WorkerUi calls from any.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "engine/worker_ui.h"
#include "mainwnd/ui_thread_worker_ui.h"
#include "support/resource_module.h"
#include "ui/message_box.h"

namespace clipwright::testing {

// The list itself, on the user-interface thread only.
class InMemoryRows : public WorkerUi {
public:
    int RowCount() override { return static_cast<int>(rows_.size()); }
    SourceItem* ItemOfRow(int row) override {
        return slots_.at(static_cast<size_t>(rows_.at(static_cast<size_t>(row)))).get();
    }
    int AddItem(std::unique_ptr<SourceItem> item) override {
        slots_.push_back(std::move(item));
        return static_cast<int>(slots_.size()) - 1;
    }
    void InsertRow(int row, int itemIndex) override {
        rows_.insert(rows_.begin() + row, itemIndex);
    }
    void RefreshRow(int row) override {
        if (onRefresh) {
            onRefresh(row, *ItemOfRow(row));
        }
    }
    int AppendRows(std::vector<std::unique_ptr<SourceItem>> items) override {
        const int first = static_cast<int>(rows_.size());
        for (std::unique_ptr<SourceItem>& item : items) {
            const int row = static_cast<int>(rows_.size());
            InsertRow(row, AddItem(std::move(item)));
            RefreshRow(row);
        }
        return first;
    }
    void ShowMessage(const std::string& text) override {
        if (!HasPendingMessageAnswers()) {
            ADD_FAILURE() << "unexpected message box: " << text;
            return;
        }
        ShowMessageBox(nullptr, text, MessageButtons::kOk, MessageIcon::kInformation);
    }
    std::string Text(int stringId) override {
        return CurrentResourceModule()->String(stringId).value_or("");
    }
    int32_t OutputType() override { return settings.outputType; }
    std::string OutputFolder() override { return settings.outputFolder; }
    ConversionSettings Settings() override { return settings; }

    // Test side.
    void AddRow(const SourceItem& item) {
        InsertRow(RowCount(), AddItem(std::make_unique<SourceItem>(item)));
    }
    ConversionSettings settings;
    // Runs on the user-interface thread inside every row refresh, while the worker waits.
    std::function<void(int row, const SourceItem& item)> onRefresh;

private:
    std::vector<std::unique_ptr<SourceItem>> slots_;
    std::vector<int> rows_;
};

struct UiThreadRowsParts {
    QObject context;  // lives on the thread that creates it
    InMemoryRows rows;
};

// The list as the workers reach it, with the test's side of InMemoryRows at hand.
class UiThreadRows : private UiThreadRowsParts, public clipwright::UiThreadWorkerUi {
public:
    UiThreadRows() : clipwright::UiThreadWorkerUi(context, rows) {}
    // User-interface thread only.
    void AddRow(const SourceItem& item) { rows.AddRow(item); }
    ConversionSettings& settings = rows.settings;
    std::function<void(int row, const SourceItem& item)>& onRefresh = rows.onRefresh;
};

}  // namespace clipwright::testing
