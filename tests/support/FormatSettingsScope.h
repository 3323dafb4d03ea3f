#pragma once
// The program-wide number formats (FormatSettings) set by a test and put back as they were however it ends: they
// are the whole program's, and the tests after it expect the invariant ones.
#include "classlib/core/SysUtils.h"

namespace testsupport {

class TFormatSettingsScope {
public:
    TFormatSettingsScope() = default;
    ~TFormatSettingsScope() { FormatSettings = saved_; }
    TFormatSettingsScope(const TFormatSettingsScope&) = delete;
    TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
    TFormatSettings saved_ = FormatSettings;
};

}  // namespace testsupport
