#include "mainwnd/ui_thread_worker_ui.h"

namespace clipwright {

int UiThreadWorkerUi::RowCount() {
    return OnUiThreadOf(context_, [this] { return inner_.RowCount(); });
}

SourceItem* UiThreadWorkerUi::ItemOfRow(int row) {
    return OnUiThreadOf(context_, [this, row] { return inner_.ItemOfRow(row); });
}

int UiThreadWorkerUi::AddItem(std::unique_ptr<SourceItem> item) {
    return OnUiThreadOf(context_, [this, &item] { return inner_.AddItem(std::move(item)); });
}

void UiThreadWorkerUi::InsertRow(int row, int itemIndex) {
    OnUiThreadOf(context_, [this, row, itemIndex] { inner_.InsertRow(row, itemIndex); });
}

void UiThreadWorkerUi::RefreshRow(int row) {
    OnUiThreadOf(context_, [this, row] { inner_.RefreshRow(row); });
}

int UiThreadWorkerUi::AppendRows(std::vector<std::unique_ptr<SourceItem>> items) {
    return OnUiThreadOf(context_, [this, &items] { return inner_.AppendRows(std::move(items)); });
}

void UiThreadWorkerUi::ShowMessage(const std::string& text) {
    OnUiThreadOf(context_, [this, &text] { inner_.ShowMessage(text); });
}

std::string UiThreadWorkerUi::Text(int stringId) {
    return OnUiThreadOf(context_, [this, stringId] { return inner_.Text(stringId); });
}

int32_t UiThreadWorkerUi::OutputType() {
    return OnUiThreadOf(context_, [this] { return inner_.OutputType(); });
}

std::string UiThreadWorkerUi::OutputFolder() {
    return OnUiThreadOf(context_, [this] { return inner_.OutputFolder(); });
}

ConversionSettings UiThreadWorkerUi::Settings() {
    return OnUiThreadOf(context_, [this] { return inner_.Settings(); });
}

}  // namespace clipwright
