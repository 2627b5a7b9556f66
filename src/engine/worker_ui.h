// What the detection and conversion workers may ask of the user interface. The view implements
// it with blocking calls onto the user-interface thread (direct calls when already on it);
// tests implement it directly. Every method returns only when the call is done.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/source_item.h"

namespace clipwright {

class WorkerUi {
public:
    virtual ~WorkerUi() = default;

    virtual int RowCount() = 0;
    // The item behind a list row, owned by the view; nullptr for a row without one.
    virtual SourceItem* ItemOfRow(int row) = 0;
    // Takes the item into the view's slots and returns its slot index.
    virtual int AddItem(std::unique_ptr<SourceItem> item) = 0;
    // Inserts a list row at row for the item in slot itemIndex, showing its display name.
    virtual void InsertRow(int row, int itemIndex) = 0;
    // Rewrites the row's Target, Convert Duration and Status columns from its item.
    virtual void RefreshRow(int row) = 0;
    // Takes the items into the view's slots and lists each in a new row at the end of the list,
    // in the given order, its columns written: AddItem, InsertRow and RefreshRow for each, in
    // one call, so a long add costs one hand-over a group instead of several a file. Returns
    // the row of the first item (the row count before the call).
    virtual int AppendRows(std::vector<std::unique_ptr<SourceItem>> items) = 0;
    // An information box with an OK button; returns when the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // The current module's string for id, not yet formatted; empty when missing.
    virtual std::string Text(int stringId) = 0;

    // The form's choices as they are now.
    virtual int32_t OutputType() = 0;
    virtual std::string OutputFolder() = 0;
    // The snapshot for a conversion run, frame size texts normalised for the free-form types.
    virtual ConversionSettings Settings() = 0;
};

}  // namespace clipwright
