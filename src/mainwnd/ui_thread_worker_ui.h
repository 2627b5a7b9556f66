// Serving the workers' interface on the user-interface thread. OnUiThreadOf runs a call on the
// thread of a QObject: directly when already there, else as a blocking queued call, so a worker
// waits until the user-interface thread has run it (and a dialog that stops servicing events
// while its worker runs hangs there, as it would in the program). UiThreadWorkerUi wraps a
// WorkerUi that may only be used on that thread into one that may be called from any.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/worker_ui.h"

namespace clipwright {

template <typename F>
auto OnUiThreadOf(QObject& context, F&& function) {
    using Result = decltype(function());
    if (QThread::currentThread() == context.thread()) {
        return function();
    }
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(&context, std::forward<F>(function),
                                  Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            &context, [&] { result = function(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Every call is made on the thread of context, on inner. Neither is owned; both outlive this.
class UiThreadWorkerUi : public WorkerUi {
public:
    UiThreadWorkerUi(QObject& context, WorkerUi& inner) : context_(context), inner_(inner) {}

    int RowCount() override;
    SourceItem* ItemOfRow(int row) override;
    int AddItem(std::unique_ptr<SourceItem> item) override;
    void InsertRow(int row, int itemIndex) override;
    void RefreshRow(int row) override;
    int AppendRows(std::vector<std::unique_ptr<SourceItem>> items) override;
    void ShowMessage(const std::string& text) override;
    std::string Text(int stringId) override;
    int32_t OutputType() override;
    std::string OutputFolder() override;
    ConversionSettings Settings() override;

private:
    QObject& context_;
    WorkerUi& inner_;
};

}  // namespace clipwright
