// The source list: the list control's rows tied to the view's source records by slot index,
// with the row operations the commands need. The records are owned here, on behalf of the view;
// a removed record leaves an empty slot, so slot indices keep their meaning until RemoveAll.
// User-interface thread only.
#pragma once

#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "engine/source_item.h"

namespace clipwright {

class SourceList {
public:
    explicit SourceList(QTreeWidget* list) : list_(list) {}
    ~SourceList();
    SourceList(const SourceList&) = delete;
    SourceList& operator=(const SourceList&) = delete;

    QTreeWidget* Control() const { return list_; }
    // Column widths at the template's proportions within the list's present width.
    void FitColumns();

    // Headers from the current resource module: Source, Target, Convert Duration, Status.
    void SetUpColumns();

    int RowCount() const;
    int SlotOfRow(int row) const;          // -1 for a row out of range
    SourceItem* ItemOfRow(int row) const;  // nullptr for an empty slot or a bad row
    const std::vector<std::unique_ptr<SourceItem>>& Slots() const { return slots_; }

    int AddItem(std::unique_ptr<SourceItem> item);  // returns the new slot index
    // Inserts a row showing the slot's display name; the slot index is the row's item data.
    void InsertRow(int row, int slot);
    // Columns 1 to 3 from the row's item.
    void RefreshRow(int row);
    // Takes the items and lists them at the end in order, all columns written, in one
    // insertion (one rowsInserted for the group). Returns the first new row.
    int AppendRows(std::vector<std::unique_ptr<SourceItem>> items);
    // Column 2 for a chosen part: "start-end" as "%02d:%02d:%02d".
    void ShowPart(int row, int32_t start, int32_t end);

    // Exchanges texts, item data, selection and focus of two rows.
    void SwapRows(int a, int b);
    void Remove();
    void RemoveAll();
    void MoveUp();
    void MoveDown();

    std::vector<int> SelectedRows() const;  // ascending
    int FirstSelectedRow() const;           // -1 when none
    // Selects and focuses only the last row (after Add).
    void SelectOnlyLast();
    // Selects and focuses the last row when rows exist and none is selected (after a drop).
    void SelectLastIfNone();
    void SelectAndFocus(int row);

    // Full copies of another list's slots and rows (a re-created view taking over).
    void CopyFrom(const SourceList& other);

private:
    QTreeWidgetItem* RowItem(int row) const;
    // A list row for the slot's item, its name only (no item: empty).
    QTreeWidgetItem* NewRowItem(int slot) const;
    static void WriteColumns(QTreeWidgetItem& row, const SourceItem& source);

    QTreeWidget* list_;
    std::vector<std::unique_ptr<SourceItem>> slots_;
};

// The information pane's text for an item, with "\r\n" line ends.
std::string BuildSourceInfo(const SourceItem& item);

}  // namespace clipwright
