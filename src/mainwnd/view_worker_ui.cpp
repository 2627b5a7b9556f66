#include "mainwnd/view_worker_ui.h"

#include "base/string_ids.h"
#include "base/text_log.h"
#include "engine/preset_choices.h"
#include "mainwnd/trelvane_view.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"

namespace clipwright {

int ViewWorkerUi::RowCount() {
    return view_.List().RowCount();
}

SourceItem* ViewWorkerUi::ItemOfRow(int row) {
    return view_.List().ItemOfRow(row);
}

int ViewWorkerUi::AddItem(std::unique_ptr<SourceItem> item) {
    return view_.List().AddItem(std::move(item));
}

void ViewWorkerUi::InsertRow(int row, int itemIndex) {
    view_.List().InsertRow(row, itemIndex);
}

void ViewWorkerUi::RefreshRow(int row) {
    view_.List().RefreshRow(row);
}

int ViewWorkerUi::AppendRows(std::vector<std::unique_ptr<SourceItem>> items) {
    SourceList& list = view_.List();
    const int first = list.RowCount();
    const int count = static_cast<int>(items.size());
    list.AppendRows(std::move(items));
    for (int row = first; row < first + count; ++row) {
        LogMessage("Set FileAudioFormat array index(%d) to listtime(%d).", list.SlotOfRow(row),
                   row);
    }
    return first;
}

void ViewWorkerUi::ShowMessage(const std::string& text) {
    ShowMessageBox(view_.window(), text, MessageButtons::kOk, MessageIcon::kInformation);
}

std::string ViewWorkerUi::Text(int stringId) {
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
}

int32_t ViewWorkerUi::OutputType() {
    return view_.OutputTypeMember();
}

std::string ViewWorkerUi::OutputFolder() {
    return view_.OutputFolderMember();
}

ConversionSettings ViewWorkerUi::Settings() {
    const int32_t type = view_.OutputTypeMember();
    const SettingControls& controls = view_.Controls();
    if (type == kTypeMpeg4 || type == kTypeH264) {
        NormalizeFrameSize(controls.width, controls.height);
    }
    return RunSettings(ReadConversionSettings(controls, type, view_.TvStandardMember(),
                                              view_.OutputFolderMember()));
}

}  // namespace clipwright
