// The record of one conversion run, one entry a row, and its report as CSV (RFC 4180, UTF-8)
// and JSON. The worker fills the record; the view writes the report after the run, when no
// worker is left. Text functions are pure; WriteBatchReport creates files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace clipwright {

struct RowRecord {
    std::string source;
    std::string output;        // empty when no name was taken
    int32_t status = 0;        // an ItemStatus
    int64_t partStart = 0;     // seconds
    int64_t partEnd = 0;       // seconds
    int64_t outputBytes = -1;  // -1: no output file
    int64_t encodeMs = 0;      // wall time of the encoder
    int64_t mediaMs = 0;       // media converted in that time
    std::string reason;        // why it failed; empty otherwise
};

// Media seconds per wall second of a row; 0 when either is not known.
double RowSpeed(const RowRecord& row);

// Header "source,output,status,part,output_bytes,encode_seconds,speed,reason", then a line
// per row, each ended by CRLF. Fields with a comma, quote, CR or LF are quoted, quotes doubled.
std::string ReportCsv(const std::vector<RowRecord>& rows);
// {"rows":[{...},...]} with the same fields; strings escaped, invalid UTF-8 replaced.
std::string ReportJson(const std::vector<RowRecord>& rows);
// One CSV field as RFC 4180 wants it.
std::string CsvField(const std::string& text);
// A JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// Where WriteBatchReport put the report.
struct BatchReportResult {
    bool written = false;  // both forms were written whole; otherwise nothing of the call is left
    std::string csvPath;   // when written: the CSV's path, folder included; empty otherwise
    std::string jsonPath;  // when written: the JSON's path, folder included; empty otherwise
};
// Writes both reports into folder as "<stem>.csv" and "<stem>.json" under names that exist in
// neither form ("<stem>[1].csv" and so on), each created exclusively, so nothing is overwritten.
BatchReportResult WriteBatchReport(const std::string& folder, const std::string& stem,
                                   const std::vector<RowRecord>& rows);

}  // namespace clipwright
