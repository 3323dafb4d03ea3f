#include "classlib/DateTimeText.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// The texts are those of the test environment's user formats (U.S. English). Impossible moments give empty texts;
// the program checks the calendar itself, since the platform rolls 29 February of a common year over into March.
TEST(DateTimeText, FormatsInTheUserFormatsAndRefusesImpossibleMoments)
{
    char format[64] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, sizeof format);
    if (std::string(format) != "M/d/yyyy") GTEST_SKIP() << "the user's date format is " << format;
    const struct {
        TDateTime moment;
        const char* text;  // DateTimeToStr; TimeToStr gives the part after the date
    } rows[] = {
        {{2026, 12, 5, 17, 30, 12, 0}, "12/5/2026 5:30:12 PM"},
        {{2026, 1, 1, 0, 0, 0, 0}, "1/1/2026"},  // midnight: the date alone
        {{2026, 1, 1, 0, 0, 0, 1}, "1/1/2026 12:00:00 AM"},
        {{2024, 2, 29, 12, 0, 0, 0}, "2/29/2024 12:00:00 PM"},
        {{2000, 2, 29, 23, 59, 59, 999}, "2/29/2000 11:59:59 PM"},  // a century divisible by 400
        {{2026, 2, 29, 12, 0, 0, 0}, ""},
        {{1900, 2, 29, 12, 0, 0, 0}, ""},
        {{2026, 4, 31, 12, 0, 0, 0}, ""},
        {{2026, 13, 1, 12, 0, 0, 0}, ""},
        {{2026, 4, 30, 24, 0, 0, 0}, ""},
        {{2026, 4, 30, 12, 60, 0, 0}, ""},
        {{2026, 4, 30, 12, 0, 0, 1000}, ""},
    };
    for (const auto& r : rows) {
        const std::string text = r.text;
        EXPECT_EQ(DateTimeToStr(r.moment), text) << r.moment.Year << "-" << r.moment.Month << "-" << r.moment.Day;
        const size_t space = text.find(' ');
        if (space != std::string::npos || text.empty()) {
            EXPECT_EQ(TimeToStr(r.moment), text.empty() ? "" : text.substr(space + 1));
        }
    }
}

// Each locale's own decimal separator: a comma in German and French, a point in U.S. English and Japanese.
TEST(LocaleFormatSettings, TakeTheLocalesDecimalSeparator)
{
    const std::pair<LCID, wchar_t> rows[] = {
        {MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT), L','},
        {MAKELCID(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), SORT_DEFAULT), L','},
        {MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), L'.'},
        {MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT), L'.'},
    };
    for (const auto& [locale, separator] : rows)
        EXPECT_EQ(LocaleFormatSettings(locale).DecimalSeparator, separator) << std::hex << locale;
}

} // namespace
