// The main form's side of the workers' interface (WorkerUi), for the user-interface thread only:
// its list's rows, its output type, folder and settings, its messages and the current module's
// texts. The view serves it to the workers through UiThreadWorkerUi, which carries a worker's
// call over to that thread. The view is borrowed and outlives this.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/worker_ui.h"

namespace clipwright {

class CTrelvaneView;

class ViewWorkerUi : public WorkerUi {
public:
    explicit ViewWorkerUi(CTrelvaneView& view) : view_(view) {}

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
    CTrelvaneView& view_;
};

}  // namespace clipwright
