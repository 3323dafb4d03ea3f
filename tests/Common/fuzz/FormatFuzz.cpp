// Feeds arbitrary format texts to the bounded formatter with arguments of every kind; checks that it never
// writes past the buffer and that every result but a bad argument leaves a NUL-terminated text.
#include "Common/core/Dev_StrSafe.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::size_t count = data[0] % 40; // 0 is a bad count and must be refused
    std::wstring format;
    for (std::size_t i = 1; i + 1 < size; i += 2) format += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

    std::vector<wchar_t> buffer(count + 1, L'#');
    const TResultCode r = StringCchVPrintfW(buffer.data(), count, format.c_str(),
                                            {7, -3, 0x80000000u, 1.5, L"text", std::wstring(L"more"), 12345LL});
    if (buffer[count] != L'#') std::abort(); // wrote past count
    if (r == kResultInvalidArg) {
        if (count != 0) std::abort();
        return 0;
    }
    if (r != kResultOk && r != kResultInsufficientBuffer && r != kResultFail) std::abort();
    bool terminated = false;
    for (std::size_t i = 0; i < count && !terminated; ++i) terminated = buffer[i] == 0;
    if (!terminated) std::abort();
    if (r == kResultFail && buffer[0] != 0) std::abort();
    return 0;
}
