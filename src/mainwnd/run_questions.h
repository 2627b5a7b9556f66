// The questions around a conversion run: before it, whether to go on when the outputs may not
// fit the output folder's file system (held against the most they can reach); after it, whether to
// write and open the run's report. User-interface thread only; the boxes go through the message-box
// seam.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "engine/batch_report.h"
#include "engine/source_item.h"

namespace clipwright {

// The report's file name without extension; the outputs' naming rule adds "[1]" and so on.
inline constexpr const char* kReportStem = "clipwright-report";

// True to start the run: the most the outputs can take fits the free space, the free space cannot
// be told, or the user chose OK when asked. Changes nothing.
bool ConfirmFreeSpace(QWidget* owner, const ConversionSettings& settings,
                      const std::vector<const SourceItem*>& items);

// True to start the run: the output type makes no disc, the rows fit one disc, or the user chose
// OK when told that Make a Disc will not take them all (outputs may be wanted without a disc).
bool ConfirmDiscTitleLimit(QWidget* owner, int32_t outputType, size_t rows);

// Offers the report of a run with records; on OK writes it into folder (CSV and JSON, never
// over an existing file) and opens the CSV with the desktop. A failed write is told.
void OfferBatchReport(QWidget* owner, const std::vector<RowRecord>& records,
                      const std::string& folder);

}  // namespace clipwright
