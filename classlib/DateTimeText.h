#pragma once
// Dates and times as texts in the user's own formats: the long time format (e.g. "h:mm:ss tt"), the short date
// format (e.g. "M/d/yyyy") and the general date-time format, which is both joined by one blank; and the number
// formats of a locale.
#include "classlib/core/SysUtils.h"

#include <windows.h>

#include <cstdint>
#include <string>

// A local calendar moment. Fields follow the calendar: Month 1-12, Day 1-31, Hour 0-23.
struct TDateTime {
    uint16_t Year = 0;
    uint16_t Month = 0;
    uint16_t Day = 0;
    uint16_t Hour = 0;
    uint16_t Minute = 0;
    uint16_t Second = 0;
    uint16_t Millisecond = 0;
};

// The current local date and time.
TDateTime Now();

// The time of day in the long time format. Empty when the moment is no valid time.
std::string TimeToStr(const TDateTime& moment);
// The date in the short date format. Empty when the moment is no valid date.
std::string DateToStr(const TDateTime& moment);
// Short date, a blank and long time; at exactly midnight (00:00:00.000) the date alone. Empty when the moment is
// no valid date and time.
std::string DateTimeToStr(const TDateTime& moment);

// The number formats of `Locale` (LOCALE_USER_DEFAULT: the user's own); what the locale does not give keeps its
// invariant value. The application fills the program-wide FormatSettings with the user's at start-up.
TFormatSettings LocaleFormatSettings(LCID Locale);
