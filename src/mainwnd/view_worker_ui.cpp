// The view's side of the workers' interface (WorkerUi): every call runs on the user-interface
// thread, a call from a worker blocking until it has.
#include <QApplication>

#include "base/string_ids.h"
#include "base/text_log.h"
#include "engine/preset_choices.h"
#include "mainwnd/trelvane_view.h"
#include "mainwnd/ui_thread_worker_ui.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"

namespace clipwright {

int CTrelvaneView::RowCount() {
    return OnUiThreadOf(*this, [this] { return list_->RowCount(); });
}

SourceItem* CTrelvaneView::ItemOfRow(int row) {
    return OnUiThreadOf(*this, [this, row] { return list_->ItemOfRow(row); });
}

int CTrelvaneView::AddItem(std::unique_ptr<SourceItem> item) {
    return OnUiThreadOf(*this, [this, &item] { return list_->AddItem(std::move(item)); });
}

void CTrelvaneView::InsertRow(int row, int itemIndex) {
    OnUiThreadOf(*this, [this, row, itemIndex] { list_->InsertRow(row, itemIndex); });
}

void CTrelvaneView::RefreshRow(int row) {
    OnUiThreadOf(*this, [this, row] { list_->RefreshRow(row); });
}

int CTrelvaneView::AppendRows(std::vector<std::unique_ptr<SourceItem>> items) {
    return OnUiThreadOf(*this, [this, &items] {
        const int first = list_->RowCount();
        const int count = static_cast<int>(items.size());
        list_->AppendRows(std::move(items));
        for (int row = first; row < first + count; ++row) {
            LogMessage("Set FileAudioFormat array index(%d) to listtime(%d).",
                       list_->SlotOfRow(row), row);
        }
        return first;
    });
}

void CTrelvaneView::ShowMessage(const std::string& text) {
    OnUiThreadOf(*this, [this, &text] {
        ShowMessageBox(window(), text, MessageButtons::kOk, MessageIcon::kInformation);
    });
}

std::string CTrelvaneView::Text(int stringId) {
    return OnUiThreadOf(*this, [stringId] {
        const std::string text = CurrentResourceModule()->String(stringId).value_or("");
        if (text.empty()) {
            LogMessage("**Error Loading Resource String:id=%d", stringId);
            return std::string();
        }
        // A translation whose placeholders differ from what the workers pass is not used.
        for (const StringUse& use : kStringUses) {
            if (use.id == stringId && PlaceholderKinds(text) != std::string(use.argumentKinds)) {
                LogMessage("**Error Loading Resource String:id=%d", stringId);
                return std::string();
            }
        }
        return text;
    });
}

int32_t CTrelvaneView::OutputType() {
    return OnUiThreadOf(*this, [this] { return outputType_; });
}

std::string CTrelvaneView::OutputFolder() {
    return OnUiThreadOf(*this, [this] { return outputFolder_; });
}

ConversionSettings CTrelvaneView::Settings() {
    return OnUiThreadOf(*this, [this] {
        if (outputType_ == kTypeMpeg4 || outputType_ == kTypeH264) {
            NormalizeFrameSize(controls_.width, controls_.height);
        }
        return RunSettings(
            ReadConversionSettings(controls_, outputType_, tvStandard_, outputFolder_));
    });
}

}  // namespace clipwright
