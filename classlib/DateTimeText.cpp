#include "classlib/DateTimeText.h"

#include <windows.h>

namespace {

bool IsLeapYear(unsigned year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Checked here rather than left to the system: some implementations roll Feb 29 of a common year over into
// March instead of refusing it.
bool IsValid(const TDateTime& m)
{
    static const uint8_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m.Year < 1601 || m.Month < 1 || m.Month > 12 || m.Day < 1) return false;
    const unsigned days = kDays[m.Month - 1] + (m.Month == 2 && IsLeapYear(m.Year) ? 1 : 0);
    return m.Day <= days && m.Hour < 24 && m.Minute < 60 && m.Second < 60 && m.Millisecond < 1000;
}

bool ToSystemTime(const TDateTime& m, SYSTEMTIME& st)
{
    if (!IsValid(m)) return false;
    st = {};
    st.wYear = m.Year;
    st.wMonth = m.Month;
    st.wDay = m.Day;
    st.wHour = m.Hour;
    st.wMinute = m.Minute;
    st.wSecond = m.Second;
    st.wMilliseconds = m.Millisecond;
    // The round trip through FILETIME fills in the day of the week that pictures such as "dddd" need.
    FILETIME ft;
    return SystemTimeToFileTime(&st, &ft) && FileTimeToSystemTime(&ft, &st);
}

// Calls one of the locale formatting functions twice: once for the size, once for the text.
template <class Format>
std::string FormatWith(Format format)
{
    const int size = format(nullptr, 0);
    if (size <= 0) return {};
    std::string text(static_cast<size_t>(size), '\0');
    if (format(text.data(), size) <= 0) return {};
    text.resize(static_cast<size_t>(size) - 1); // the count includes the terminating zero
    return text;
}

} // namespace

TDateTime Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::string TimeToStr(const TDateTime& moment)
{
    SYSTEMTIME st;
    if (!ToSystemTime(moment, st)) return {};
    return FormatWith([&](char* buffer, int size) {
        return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
    });
}

std::string DateToStr(const TDateTime& moment)
{
    SYSTEMTIME st;
    if (!ToSystemTime(moment, st)) return {};
    return FormatWith([&](char* buffer, int size) {
        return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
    });
}

std::string DateTimeToStr(const TDateTime& moment)
{
    std::string date = DateToStr(moment);
    if (date.empty()) return {};
    if (moment.Hour == 0 && moment.Minute == 0 && moment.Second == 0 && moment.Millisecond == 0) return date;
    std::string time = TimeToStr(moment);
    if (time.empty()) return {};
    return date + ' ' + time;
}

TFormatSettings LocaleFormatSettings(LCID Locale)
{
    TFormatSettings settings;
    wchar_t separator[4] = {};  // the locale's limit, its NUL included
    if (GetLocaleInfoW(Locale, LOCALE_SDECIMAL, separator, 4) > 1) settings.DecimalSeparator = separator[0];
    return settings;
}
