// The settings file reader: the user's own file, which may have been edited by hand or cut short.
// Whatever it reads must be written back so that the next read finds the same values, and a
// write of one value must keep every other.
#include <cstdint>
#include <string>

#include "base/settings_store.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const clipwright::SettingsValues values = clipwright::ParseSettings(text);
    const std::string written = clipwright::FormatSettings(values);
    FUZZ_CHECK(clipwright::ParseSettings(written) == values);
    // Written text is in its settled form: a second round changes nothing.
    FUZZ_CHECK(clipwright::FormatSettings(clipwright::ParseSettings(written)) == written);
    // A write of one value through the file's own text changes that value and no other.
    clipwright::SettingsValues expected = values;
    expected["OutputPath"] = std::string("/new/");
    FUZZ_CHECK(clipwright::ParseSettings(clipwright::UpdateSettingsText(
                   text, "OutputPath", std::string("/new/"))) == expected);
    return 0;
}
