#include "classlib/DateTimeText.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::string LocaleText(LCTYPE type)
{
    char buffer[128] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    return buffer;
}

// The expected texts are those of the user formats the test environment has (U.S. English).
class DateTimeText : public testing::Test {
protected:
    void SetUp() override
    {
        if (LocaleText(LOCALE_SSHORTDATE) != "M/d/yyyy" || LocaleText(LOCALE_STIMEFORMAT) != "h:mm:ss tt")
            GTEST_SKIP() << "user formats are " << LocaleText(LOCALE_SSHORTDATE) << " and "
                         << LocaleText(LOCALE_STIMEFORMAT);
    }
};

struct Row {
    TDateTime Moment;
    const char* Date;
    const char* Time;
    const char* General;
};

const Row kRows[] = {
    {{2026, 12, 5, 17, 30, 12, 0}, "12/5/2026", "5:30:12 PM", "12/5/2026 5:30:12 PM"},
    {{2026, 1, 1, 0, 0, 0, 0}, "1/1/2026", "12:00:00 AM", "1/1/2026"},             // midnight: date alone
    {{2026, 1, 1, 0, 0, 0, 1}, "1/1/2026", "12:00:00 AM", "1/1/2026 12:00:00 AM"}, // a millisecond after
    {{2026, 1, 1, 0, 0, 1, 0}, "1/1/2026", "12:00:01 AM", "1/1/2026 12:00:01 AM"},
    {{2024, 2, 29, 12, 0, 0, 0}, "2/29/2024", "12:00:00 PM", "2/29/2024 12:00:00 PM"},
    {{1999, 12, 31, 23, 59, 59, 999}, "12/31/1999", "11:59:59 PM", "12/31/1999 11:59:59 PM"},
    // Impossible moments give empty texts.
    {{2026, 2, 29, 12, 0, 0, 0}, "", "", ""},
    {{2026, 13, 1, 12, 0, 0, 0}, "", "", ""},
    {{2026, 0, 1, 12, 0, 0, 0}, "", "", ""},
    {{2026, 4, 31, 12, 0, 0, 0}, "", "", ""},
    {{2026, 4, 30, 24, 0, 0, 0}, "", "", ""},
    {{2026, 4, 30, 12, 60, 0, 0}, "", "", ""},
    {{2026, 4, 30, 12, 0, 60, 0}, "", "", ""},
    {{2026, 4, 30, 12, 0, 0, 1000}, "", "", ""},
    {{1900, 2, 29, 12, 0, 0, 0}, "", "", ""}, // a century is no leap year...
    {{2000, 2, 29, 12, 0, 0, 0}, "2/29/2000", "12:00:00 PM", "2/29/2000 12:00:00 PM"}, // ...unless it divides by 400
    {{0, 0, 0, 0, 0, 0, 0}, "", "", ""},
};

TEST_F(DateTimeText, FormatsInTheUserFormats)
{
    for (const Row& row : kRows) {
        const TDateTime& m = row.Moment;
        SCOPED_TRACE(testing::Message() << m.Year << '-' << m.Month << '-' << m.Day << ' ' << m.Hour << ':'
                                        << m.Minute << ':' << m.Second << '.' << m.Millisecond);
        EXPECT_EQ(DateToStr(m), row.Date);
        EXPECT_EQ(TimeToStr(m), row.Time);
        EXPECT_EQ(DateTimeToStr(m), row.General);
    }
}

} // namespace
