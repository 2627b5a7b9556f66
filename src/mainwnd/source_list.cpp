#include "mainwnd/source_list.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <algorithm>
#include <array>
#include <numeric>
#include <regex>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "support/resource_strings.h"

namespace clipwright {

namespace {

constexpr int kColumns = 4;

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

// "%s" or the description split after its second comma onto two indented lines.
std::string StreamPart(const char* kind, const std::string& info) {
    const size_t first = info.find(',');
    if (first == std::string::npos) {
        return {};
    }
    const size_t second = info.find(',', first + 1);
    const std::string head = std::string("\r\n") + kind + ":\r\n ";
    if (second == std::string::npos) {
        return head + info;
    }
    return head + info.substr(0, second + 1) + "\r\n " + info.substr(second + 1);
}

}  // namespace

SourceList::~SourceList() = default;

void SourceList::SetUpColumns() {
    if (list_ == nullptr) {
        return;
    }
    list_->setColumnCount(kColumns);
    const QStringList headers = {
        Qs(LoadResourceString(kIdsSource)), Qs(LoadResourceString(kIdsTarget)),
        Qs(LoadResourceString(kIdsConvertDuration)), Qs(LoadResourceString(kIdsStatus))};
    list_->setHeaderLabels(headers);
    list_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    FitColumns();
}

void SourceList::FitColumns() {
    // The template's widths, in pixels of the list it was drawn with; scaled to this list, with
    // room kept for a vertical scroll bar, so no horizontal one is ever needed.
    static constexpr std::array<int, kColumns> kTemplateWidths = {100, 200, 100, 63};
    const int total = std::accumulate(kTemplateWidths.begin(), kTemplateWidths.end(), 0);
    const int room = list_->width() - 2 * list_->frameWidth() -
                     list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    if (room <= 0) {
        return;
    }
    int used = 0;
    for (int column = 0; column < kColumns - 1; ++column) {
        const int width = room * kTemplateWidths[static_cast<size_t>(column)] / total;
        list_->header()->resizeSection(column, width);
        used += width;
    }
    list_->header()->resizeSection(kColumns - 1, room - used);
}

int SourceList::RowCount() const {
    return list_->topLevelItemCount();
}

QTreeWidgetItem* SourceList::RowItem(int row) const {
    return row < 0 || row >= RowCount() ? nullptr : list_->topLevelItem(row);
}

int SourceList::SlotOfRow(int row) const {
    const QTreeWidgetItem* item = RowItem(row);
    return item == nullptr ? -1 : item->data(0, Qt::UserRole).toInt();
}

SourceItem* SourceList::ItemOfRow(int row) const {
    const int slot = SlotOfRow(row);
    if (slot < 0 || slot >= static_cast<int>(slots_.size())) {
        return nullptr;
    }
    return slots_[static_cast<size_t>(slot)].get();
}

int SourceList::AddItem(std::unique_ptr<SourceItem> item) {
    slots_.push_back(std::move(item));
    return static_cast<int>(slots_.size()) - 1;
}

QTreeWidgetItem* SourceList::NewRowItem(int slot) const {
    auto* item = new QTreeWidgetItem();
    const SourceItem* source = slot >= 0 && slot < static_cast<int>(slots_.size())
                                   ? slots_[static_cast<size_t>(slot)].get()
                                   : nullptr;
    item->setText(0, source != nullptr ? Qs(DisplayName(*source)) : QString());
    item->setData(0, Qt::UserRole, slot);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void SourceList::WriteColumns(QTreeWidgetItem& row, const SourceItem& source) {
    row.setText(1, Qs(TargetName(source)));
    // The part the row converts: the whole length unless a part was chosen in the preview.
    row.setText(2, Qs(FormatHms(source.selStart) + "-" + FormatHms(source.selEnd)));
    row.setText(3, Qs(LoadResourceString(StatusStringId(source.status))));
}

void SourceList::InsertRow(int row, int slot) {
    list_->insertTopLevelItem(std::clamp(row, 0, RowCount()), NewRowItem(slot));
}

void SourceList::RefreshRow(int row) {
    QTreeWidgetItem* item = RowItem(row);
    const SourceItem* source = ItemOfRow(row);
    if (item == nullptr || source == nullptr) {
        return;
    }
    WriteColumns(*item, *source);
}

int SourceList::AppendRows(std::vector<std::unique_ptr<SourceItem>> items) {
    const int first = RowCount();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(items.size()));
    for (std::unique_ptr<SourceItem>& item : items) {
        const int slot = AddItem(std::move(item));
        rows.push_back(NewRowItem(slot));
        WriteColumns(*rows.back(), *slots_.back());
    }
    list_->addTopLevelItems(rows);
    return first;
}

void SourceList::ShowPart(int row, int32_t start, int32_t end) {
    if (QTreeWidgetItem* item = RowItem(row)) {
        item->setText(2, Qs(FormatHms(start) + "-" + FormatHms(end)));
    }
}

void SourceList::SwapRows(int a, int b) {
    QTreeWidgetItem* first = RowItem(a);
    QTreeWidgetItem* second = RowItem(b);
    if (first == nullptr || second == nullptr || a == b) {
        return;
    }
    for (int column = 0; column < list_->columnCount(); ++column) {
        const QString text = first->text(column);
        first->setText(column, second->text(column));
        second->setText(column, text);
    }
    const QVariant data = first->data(0, Qt::UserRole);
    first->setData(0, Qt::UserRole, second->data(0, Qt::UserRole));
    second->setData(0, Qt::UserRole, data);

    const bool firstSelected = first->isSelected();
    first->setSelected(second->isSelected());
    second->setSelected(firstSelected);
    QTreeWidgetItem* current = list_->currentItem();
    QTreeWidgetItem* newCurrent = current == first ? second : (current == second ? first : nullptr);
    if (newCurrent != nullptr) {
        list_->selectionModel()->setCurrentIndex(list_->indexFromItem(newCurrent),
                                                 QItemSelectionModel::NoUpdate);
    }
}

std::vector<int> SourceList::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < RowCount(); ++row) {
        if (list_->topLevelItem(row)->isSelected()) {
            rows.push_back(row);
        }
    }
    return rows;
}

int SourceList::FirstSelectedRow() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

void SourceList::SelectAndFocus(int row) {
    QTreeWidgetItem* item = RowItem(row);
    if (item == nullptr) {
        return;
    }
    list_->selectionModel()->setCurrentIndex(
        list_->indexFromItem(item), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void SourceList::SelectOnlyLast() {
    if (RowCount() == 0) {
        return;
    }
    list_->clearSelection();
    SelectAndFocus(RowCount() - 1);
}

void SourceList::SelectLastIfNone() {
    if (RowCount() > 0 && SelectedRows().empty()) {
        SelectAndFocus(RowCount() - 1);
    }
}

void SourceList::Remove() {
    const std::vector<int> selected = SelectedRows();
    if (!selected.empty()) {
        const int first = selected.front();
        for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
            const int slot = SlotOfRow(*row);
            if (slot >= 0 && slot < static_cast<int>(slots_.size())) {
                slots_[static_cast<size_t>(slot)].reset();
            }
            delete list_->takeTopLevelItem(*row);
        }
        if (first < RowCount()) {
            SelectAndFocus(first);
            return;
        }
    }
    if (RowCount() > 0) {
        SelectAndFocus(RowCount() - 1);
    }
}

void SourceList::RemoveAll() {
    for (int row = RowCount() - 1; row >= 0; --row) {
        delete list_->takeTopLevelItem(row);
    }
    slots_.clear();
}

void SourceList::MoveUp() {
    if (SelectedRows().empty()) {
        return;
    }
    for (int row = 1; row < RowCount(); ++row) {
        if (RowItem(row)->isSelected() && !RowItem(row - 1)->isSelected()) {
            SwapRows(row, row - 1);
        }
    }
}

void SourceList::MoveDown() {
    if (SelectedRows().empty()) {
        return;
    }
    for (int row = RowCount() - 2; row >= 0; --row) {
        if (RowItem(row)->isSelected() && !RowItem(row + 1)->isSelected()) {
            SwapRows(row, row + 1);
        }
    }
}

void SourceList::CopyFrom(const SourceList& other) {
    RemoveAll();
    for (const auto& slot : other.slots_) {
        slots_.push_back(slot ? std::make_unique<SourceItem>(*slot) : nullptr);
    }
}

namespace {

// The encoder's figures as the chosen language writes them: the fraction of a second of a
// time ("00:00:10,00") and a frame rate ("25,00 fps"). Other dotted words (a channel layout such
// as "5.1") are names and stay.
std::string WithDisplayDecimals(const std::string& text) {
    static const std::regex kFigure(R"((\d\d:\d\d:\d\d|\d+)\.(\d+)( fps\b)?)");
    const std::string point = DisplayDecimalPoint();
    if (point == ".") {
        return text;
    }
    std::string out;
    auto from = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), kFigure), end; it != end; ++it) {
        const std::smatch& match = *it;
        const bool time = match[1].length() == 8;
        if (!time && !match[3].matched) {
            continue;
        }
        out.append(from, match[0].first);
        out += match[1].str() + point + match[2].str() + match[3].str();
        from = match[0].second;
    }
    out.append(from, text.cend());
    return out;
}

}  // namespace

std::string BuildSourceInfo(const SourceItem& item) {
    if (item.durationText.empty()) {
        return DisplayName(item) + "\r\n\r\n" + LoadResourceString(kIdsInfoUnknownFormat);
    }
    const std::string video = LoadResourceString(kIdsInfoVideo);
    const std::string audio = LoadResourceString(kIdsInfoAudio);
    return DisplayName(item) + "\r\n\r\n" + LoadResourceString(kIdsInfoDuration) +
           WithDisplayDecimals(item.durationText) + "\r\n" + LoadResourceString(kIdsInfoBitrate) +
           item.bitrateText + StreamPart(video.c_str(), WithDisplayDecimals(item.videoInfo)) +
           StreamPart(audio.c_str(), item.audioInfo);
}

}  // namespace clipwright
