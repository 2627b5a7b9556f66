// Every test program that links the test support: with CLIPWRIGHT_TEST_COMMA_LOCALE set (by the
// CTest runs labelled comma_locale), the program takes its locale from the environment before any
// test runs, as a desktop session's program does, and refuses to run when that locale does not
// write a decimal comma, so such a run never passes in a locale that proves nothing.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const bool kCommaLocaleChecked = [] {
    if (std::getenv("CLIPWRIGHT_TEST_COMMA_LOCALE") == nullptr) {
        return false;
    }
    const char* const name = std::setlocale(LC_ALL, "");
    const std::lconv* const conventions = std::localeconv();
    if (name == nullptr || std::strcmp(conventions->decimal_point, ",") != 0) {
        std::fprintf(stderr, "the comma locale was asked for, but LC_ALL=%s LOCPATH=%s gives %s\n",
                     std::getenv("LC_ALL") ? std::getenv("LC_ALL") : "",
                     std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "",
                     name != nullptr ? "no decimal comma" : "no locale");
        std::exit(2);
    }
    return true;
}();

}  // namespace
