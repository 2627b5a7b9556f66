// The run's report: its columns, the quoting of awkward paths in both forms, and that writing
// it never replaces a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/batch_report.h"
#include "engine/source_item.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

RowRecord Row(const std::string& source, int32_t status) {
    RowRecord row;
    row.source = source;
    row.output = "/out/" + source + ".mpg";
    row.status = status;
    row.partStart = 5;
    row.partEnd = 25;
    row.outputBytes = 123456;
    row.encodeMs = 8000;
    row.mediaMs = 20000;
    return row;
}

TEST(BatchReport, CsvHasTheColumnsAndQuotesWhatNeedsIt) {
    RowRecord done = Row("plain", kDone);
    RowRecord failed = Row("/v/a, \"b\"\nc.avi", kError);
    failed.output.clear();
    failed.outputBytes = -1;
    failed.encodeMs = 0;
    failed.reason = "trelcore: in.avi: cannot open";
    EXPECT_EQ(ReportCsv({done, failed}),
              "source,output,status,part,output_bytes,encode_seconds,speed,reason\r\n"
              "plain,/out/plain.mpg,Done,5-25,123456,8.000,2.50,\r\n"
              "\"/v/a, \"\"b\"\"\nc.avi\",,Error,5-25,,0.000,0.00,trelcore: in.avi: cannot open"
              "\r\n");
    EXPECT_EQ(CsvField("no quoting"), "no quoting");
    EXPECT_EQ(CsvField("cr\rhere"), "\"cr\rhere\"");
    // Bytes that are not UTF-8 (a file name may hold any) become U+FFFD; UTF-8 stays.
    EXPECT_EQ(CsvField("caf\xc3\xa9 \xff."), "caf\xc3\xa9 \xef\xbf\xbd.");
}

TEST(BatchReport, JsonEscapesEveryString) {
    EXPECT_EQ(JsonString("a\"b\\c\nd\te\x01"), "\"a\\\"b\\\\c\\nd\\te\\u0001\"");
    EXPECT_EQ(JsonString("\xe4\xb8\xad\xc0\xaf"), "\"\xe4\xb8\xad\xef\xbf\xbd\xef\xbf\xbd\"");
    RowRecord failed = Row("x\"y", kSkip);
    failed.outputBytes = -1;
    const std::string json = ReportJson({failed});
    EXPECT_NE(json.find("\"source\": \"x\\\"y\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"status\": \"Skip\""), std::string::npos);
    EXPECT_NE(json.find("\"output_bytes\": null"), std::string::npos);
    EXPECT_NE(json.find("\"part_start\": 5, \"part_end\": 25"), std::string::npos);
    EXPECT_NE(json.find("\"speed\": 2.50"), std::string::npos);
    EXPECT_EQ(ReportJson({}), "{\"rows\": []}\n");
}

TEST(BatchReport, AnExistingReportIsNeverOverwritten) {
    const TestFolder dir;
    const std::string old = dir.Write("report.csv", "keep me");
    dir.Write("report[1].json", "keep me too");
    BatchReportResult report = WriteBatchReport(dir.path(), "report", {Row("a", kDone)});
    ASSERT_TRUE(report.written);
    // [0] has a CSV and [1] a JSON already: both forms go to the first number free in both.
    EXPECT_EQ(report.csvPath, dir.path() + "report[2].csv");
    EXPECT_EQ(report.jsonPath, dir.path() + "report[2].json");
    EXPECT_EQ(TestFolder::Read(old), "keep me");
    EXPECT_EQ(TestFolder::Read(dir.path() + "report[1].json"), "keep me too");
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "report.json"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "report[1].csv"));
    EXPECT_EQ(TestFolder::Read(report.csvPath), ReportCsv({Row("a", kDone)}));
    EXPECT_EQ(TestFolder::Read(report.jsonPath), ReportJson({Row("a", kDone)}));
    // A dangling link is a name that exists too.
    std::filesystem::create_symlink(dir.path() + "nowhere", dir.path() + "r.csv");
    report = WriteBatchReport(dir.path(), "r", {});
    ASSERT_TRUE(report.written);
    EXPECT_EQ(report.csvPath, dir.path() + "r[1].csv");
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "nowhere"));
}

TEST(BatchReport, AFolderThatCannotTakeItLeavesNothing) {
    const TestFolder dir;
    const std::string file = dir.Write("file", "x");
    const BatchReportResult report = WriteBatchReport(file + "/", "report", {Row("a", kDone)});
    EXPECT_FALSE(report.written);
    EXPECT_EQ(report.csvPath, "");
    EXPECT_EQ(report.jsonPath, "");
    EXPECT_FALSE(WriteBatchReport(dir.path() + "missing/", "report", {}).written);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace clipwright
