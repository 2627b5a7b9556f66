#include "engine/batch_report.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "base/c_locale.h"
#include "base/file_io.h"
#include "engine/source_item.h"

namespace clipwright {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when the bytes there are not one.
size_t Utf8SequenceLength(const std::string& text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    uint32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < kSmallest[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

// A file name need not be UTF-8; the reports are, so stray bytes become U+FFFD.
std::string ValidUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        out.append(text, i, length);
        i += length;
    }
    return out;
}

std::string PartText(const RowRecord& row) {
    return std::to_string(row.partStart) + "-" + std::to_string(row.partEnd);
}

std::string EncodeSeconds(const RowRecord& row) {
    return DecimalText(static_cast<double>(row.encodeMs) / 1000.0, 3);
}

std::string SizeField(const RowRecord& row) {
    return row.outputBytes < 0 ? std::string() : std::to_string(row.outputBytes);
}

// How WriteNew ended: the file written whole, a name that exists already (nothing was
// touched), or a failure of the folder or the disk (nothing was left behind).
enum class WriteNewResult { kWritten, kExisted, kFailed };

WriteNewResult WriteNew(const std::string& path, const std::string& text) {
    const UniqueFd fd(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (fd.get() < 0) {
        return errno == EEXIST ? WriteNewResult::kExisted : WriteNewResult::kFailed;
    }
    if (!WriteAll(fd.get(), text.data(), text.size()) || ::fsync(fd.get()) != 0) {
        ::unlink(path.c_str());
        return WriteNewResult::kFailed;
    }
    return WriteNewResult::kWritten;
}

}  // namespace

double RowSpeed(const RowRecord& row) {
    if (row.encodeMs <= 0 || row.mediaMs <= 0) {
        return 0.0;
    }
    return static_cast<double>(row.mediaMs) / static_cast<double>(row.encodeMs);
}

std::string CsvField(const std::string& text) {
    const std::string valid = ValidUtf8(text);
    if (valid.find_first_of(",\"\r\n") == std::string::npos) {
        return valid;
    }
    std::string out = "\"";
    for (const char c : valid) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : ValidUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string ReportCsv(const std::vector<RowRecord>& rows) {
    std::string out = "source,output,status,part,output_bytes,encode_seconds,speed,reason\r\n";
    for (const RowRecord& row : rows) {
        out += CsvField(row.source) + "," + CsvField(row.output) + "," + StatusWord(row.status) +
               "," + PartText(row) + "," + SizeField(row) + "," + EncodeSeconds(row) + "," +
               DecimalText(RowSpeed(row), 2) + "," + CsvField(row.reason) + "\r\n";
    }
    return out;
}

std::string ReportJson(const std::vector<RowRecord>& rows) {
    std::string out = "{\"rows\": [";
    for (size_t i = 0; i < rows.size(); ++i) {
        const RowRecord& row = rows[i];
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"source\": " + JsonString(row.source) +
               ", \"output\": " + JsonString(row.output) +
               ", \"status\": " + JsonString(StatusWord(row.status)) +
               ", \"part_start\": " + std::to_string(row.partStart) +
               ", \"part_end\": " + std::to_string(row.partEnd) + ", \"output_bytes\": " +
               (row.outputBytes < 0 ? std::string("null") : std::to_string(row.outputBytes)) +
               ", \"encode_seconds\": " + EncodeSeconds(row) +
               ", \"speed\": " + DecimalText(RowSpeed(row), 2) +
               ", \"reason\": " + JsonString(row.reason) + "}";
    }
    out += rows.empty() ? "]}\n" : "\n]}\n";
    return out;
}

BatchReportResult WriteBatchReport(const std::string& folder, const std::string& stem,
                                   const std::vector<RowRecord>& rows) {
    BatchReportResult result;
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    const std::string csv = ReportCsv(rows);
    const std::string json = ReportJson(rows);
    // Both names carry the same number, so a report's two forms are found together.
    for (uint64_t n = 0;; ++n) {
        const std::string name = n == 0 ? stem : stem + "[" + std::to_string(n) + "]";
        const WriteNewResult csvWrite = WriteNew(dir + name + ".csv", csv);
        if (csvWrite == WriteNewResult::kExisted) {
            continue;
        }
        if (csvWrite == WriteNewResult::kFailed) {
            return result;
        }
        const WriteNewResult jsonWrite = WriteNew(dir + name + ".json", json);
        if (jsonWrite == WriteNewResult::kWritten) {
            result.written = true;
            result.csvPath = dir + name + ".csv";
            result.jsonPath = dir + name + ".json";
            return result;
        }
        ::unlink((dir + name + ".csv").c_str());
        if (jsonWrite == WriteNewResult::kFailed) {
            return result;
        }
    }
}

}  // namespace clipwright
