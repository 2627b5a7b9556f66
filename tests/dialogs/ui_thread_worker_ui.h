// A source list in memory that, like the view, serves every worker call on the user-interface
// thread: a call from another thread blocks until the user-interface thread has run it, so a
// dialog that stops servicing events while its worker runs hangs here as it would in the
// program. The worker's failure summary goes through the message box seam, which must hold an
// answer for it. Create and use on the user-interface thread; the WorkerUi calls from any.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "engine/worker_ui.h"
#include "support/resource_module.h"
#include "ui/message_box.h"

namespace clipwright::testing {

class UiThreadWorkerUi : public WorkerUi {
public:
    int RowCount() override {
        return OnUiThread([this] { return static_cast<int>(rows_.size()); });
    }
    SourceItem* ItemOfRow(int row) override {
        return OnUiThread([this, row] {
            return slots_.at(static_cast<size_t>(rows_.at(static_cast<size_t>(row)))).get();
        });
    }
    int AddItem(std::unique_ptr<SourceItem> item) override {
        return OnUiThread([this, &item] {
            slots_.push_back(std::move(item));
            return static_cast<int>(slots_.size()) - 1;
        });
    }
    void InsertRow(int row, int itemIndex) override {
        OnUiThread([this, row, itemIndex] { rows_.insert(rows_.begin() + row, itemIndex); });
    }
    void RefreshRow(int row) override {
        OnUiThread([this, row] {
            if (onRefresh) {
                onRefresh(row, *ItemOfRow(row));
            }
        });
    }
    int AppendRows(std::vector<std::unique_ptr<SourceItem>> items) override {
        return OnUiThread([this, &items] {
            const int first = static_cast<int>(rows_.size());
            for (std::unique_ptr<SourceItem>& item : items) {
                const int row = static_cast<int>(rows_.size());
                InsertRow(row, AddItem(std::move(item)));
                RefreshRow(row);
            }
            return first;
        });
    }
    void ShowMessage(const std::string& text) override {
        OnUiThread([&text] {
            if (!HasPendingMessageAnswers()) {
                ADD_FAILURE() << "unexpected message box: " << text;
                return;
            }
            ShowMessageBox(nullptr, text, MessageButtons::kOk, MessageIcon::kInformation);
        });
    }
    std::string Text(int stringId) override {
        return CurrentResourceModule()->String(stringId).value_or("");
    }
    int32_t OutputType() override {
        return OnUiThread([this] { return settings.outputType; });
    }
    std::string OutputFolder() override {
        return OnUiThread([this] { return settings.outputFolder; });
    }
    ConversionSettings Settings() override {
        return OnUiThread([this] { return settings; });
    }

    // Test side, user-interface thread only.
    void AddRow(const SourceItem& item) {
        InsertRow(RowCount(), AddItem(std::make_unique<SourceItem>(item)));
    }
    ConversionSettings settings;
    // Runs on the user-interface thread inside every row refresh, while the worker waits.
    std::function<void(int row, const SourceItem& item)> onRefresh;

private:
    template <typename Call, typename Result = std::invoke_result_t<Call>>
    Result OnUiThread(Call call) {
        if (QThread::currentThread() == context_.thread()) {
            return call();
        }
        if constexpr (std::is_void_v<Result>) {
            QMetaObject::invokeMethod(&context_, call, Qt::BlockingQueuedConnection);
        } else {
            Result result{};
            QMetaObject::invokeMethod(
                &context_, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
            return result;
        }
    }

    QObject context_;
    std::vector<std::unique_ptr<SourceItem>> slots_;
    std::vector<int> rows_;
};

}  // namespace clipwright::testing
