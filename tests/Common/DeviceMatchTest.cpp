// Settings matching on hand-filled catalogues: no Direct3D device is involved.
#include "Common/Dev_DeviceMatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>

namespace {

using M = TDX9MatchType;

// --- settings as text -----------------------------------------------------------------------------------------
// A row gives its input, its options and the fields it expects as "key=value" words: "type=REF vp=0x50 w=800",
// options as "type=P size=C" (preserve, closest; ignore is the default).

struct TField {
    M TDX9MatchOptions::*Option; // null: no option of its own
    std::function<DWORD(const TDX9DeviceSettings&)> Get;
    std::function<void(TDX9DeviceSettings&, DWORD)> Set;
};

// A field of the settings (Owner TDX9DeviceSettings) or of their presentation parameters.
template <class TOwner, class T>
TField Field(M TDX9MatchOptions::*option, T TOwner::*member)
{
    const auto field = [member](auto& s) -> auto& {
        if constexpr (std::is_same_v<TOwner, TDX9DeviceSettings>) return s.*member;
        else return s.pp.*member;
    };
    return {option, [field](const TDX9DeviceSettings& s) { return DWORD(field(s)); },
            [field](TDX9DeviceSettings& s, DWORD v) { field(s) = T(v); }};
}

const std::map<std::string, TField>& Fields()
{
    using O = TDX9MatchOptions;
    using P = D3DPRESENT_PARAMETERS;
    static const std::map<std::string, TField> fields = {
        {"adapter", Field(&O::AdapterOrdinal, &TDX9DeviceSettings::AdapterOrdinal)},
        {"type", Field(&O::DeviceType, &TDX9DeviceSettings::DeviceType)},
        {"adapterfmt", Field(&O::AdapterFormat, &TDX9DeviceSettings::AdapterFormat)},
        {"vp", Field(&O::VertexProcessing, &TDX9DeviceSettings::BehaviorFlags)},
        {"windowed", Field(&O::Windowed, &P::Windowed)},
        {"size", {&O::Resolution, nullptr, nullptr}},
        {"w", Field(nullptr, &P::BackBufferWidth)},
        {"h", Field(nullptr, &P::BackBufferHeight)},
        {"bb", Field(&O::BackBufferFormat, &P::BackBufferFormat)},
        {"count", Field(&O::BackBufferCount, &P::BackBufferCount)},
        {"ms", Field(&O::MultiSample, &P::MultiSampleType)},
        {"msq", Field(nullptr, &P::MultiSampleQuality)},
        {"swap", Field(&O::SwapEffect, &P::SwapEffect)},
        {"depth", Field(&O::DepthFormat, &P::AutoDepthStencilFormat)},
        {"stencil", {&O::StencilFormat, nullptr, nullptr}},
        {"auto", Field(nullptr, &P::EnableAutoDepthStencil)},
        {"flags", Field(&O::PresentFlags, &P::Flags)},
        {"rate", Field(&O::RefreshRate, &P::FullScreen_RefreshRateInHz)},
        {"interval", Field(&O::PresentInterval, &P::PresentationInterval)},
        {"window", {nullptr, [](const TDX9DeviceSettings& s) { return DWORD(UINT_PTR(s.pp.hDeviceWindow)); }, {}}},
    };
    return fields;
}

// A number (decimal, 0x hex, negative) or one of the names rows use; the numbers are Direct3D 9's.
DWORD Value(const std::string& text)
{
    static const std::map<std::string, DWORD> names = {
        {"HAL", 1},       {"REF", 2},      {"SW", 3},       {"X8R8G8B8", 22},     {"A8R8G8B8", 21},
        {"R5G6B5", 23},   {"D16", 80},     {"D32", 71},     {"D24S8", 75},        {"D24X8", 77},
        {"D15S1", 73},    {"D24X4S4", 79}, {"D16_LOCKABLE", 70},
    };
    const auto named = names.find(text);
    return named != names.end() ? named->second : DWORD(std::stoll(text, nullptr, 0));
}

// Calls Use(field, value text) for every word of Text.
void ForEachWord(const std::string& Text, const std::function<void(const TField&, const std::string&)>& Use)
{
    std::istringstream words(Text);
    for (std::string word; words >> word;) {
        const size_t equals = word.find('=');
        Use(Fields().at(word.substr(0, equals)), word.substr(equals + 1));
    }
}

// --- catalogues -----------------------------------------------------------------------------------------------

D3DDISPLAYMODE Mode(UINT width, UINT height, UINT refresh, D3DFORMAT format = D3DFMT_X8R8G8B8)
{
    return D3DDISPLAYMODE{width, height, refresh, format};
}

// Adapters with a 1280x1024 X8R8G8B8 desktop at 60 Hz and the modes below, each with a device of every type
// given (only HAL has hardware T&L). A device has windowed and full-screen X8R8G8B8 and A8R8G8B8 combinations on
// an X8R8G8B8 adapter format, each with the depth formats given, multisample types 0, 2 and 4 with 1, 4 and 2
// quality levels, and the intervals immediate, default, one (and two in full screen).
struct TCatalogue {
    explicit TCatalogue(std::vector<D3DDEVTYPE> Types = {D3DDEVTYPE_HAL, D3DDEVTYPE_REF}, UINT Adapters = 1,
                        TD3DFormatArray Depth = {D3DFMT_D16, D3DFMT_D24S8, D3DFMT_D32})
    {
        const TD3DMultiSampleTypeArray multiSample{D3DMULTISAMPLE_NONE, D3DMULTISAMPLE_2_SAMPLES,
                                                   D3DMULTISAMPLE_4_SAMPLES};
        for (UINT ordinal = 0; ordinal < Adapters; ++ordinal) {
            auto& adapter = *Enumeration.AdapterInfoList.emplace_back(std::make_unique<CD3DEnumAdapterInfo>());
            adapter.AdapterOrdinal = ordinal;
            adapter.DisplayModeList = {Mode(640, 480, 60),   Mode(640, 480, 75),   Mode(800, 600, 60, D3DFMT_R5G6B5),
                                       Mode(1024, 768, 60), Mode(1280, 1024, 60), Mode(1280, 1024, 85)};
            for (D3DDEVTYPE type : Types) {
                auto& device = *adapter.DeviceInfoList.emplace_back(std::make_unique<CD3DEnumDeviceInfo>());
                device.DeviceType = type;
                device.Caps.DevCaps = type == D3DDEVTYPE_HAL ? D3DDEVCAPS_HWTRANSFORMANDLIGHT : 0;
                for (D3DFORMAT backBuffer : {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8})
                    for (bool windowed : {false, true}) {
                        TD3DEnumDeviceSettingsCombo& c = device.DeviceSettingsComboList.emplace_back();
                        c.AdapterOrdinal = ordinal;
                        c.DeviceType = type;
                        c.AdapterFormat = D3DFMT_X8R8G8B8;
                        c.BackBufferFormat = backBuffer;
                        c.Windowed = windowed;
                        c.DepthStencilFormatList = Depth;
                        c.MultiSampleTypeList = multiSample;
                        c.MultiSampleQualityList = {1, 4, 2};
                        c.PresentIntervalList = {D3DPRESENT_INTERVAL_IMMEDIATE, 0, 1};
                        if (!windowed) c.PresentIntervalList.push_back(D3DPRESENT_INTERVAL_TWO);
                        c.AdapterInfo = &adapter;
                        c.DeviceInfo = &device;
                    }
            }
        }
    }

    HRESULT Find(TDX9DeviceSettings& out, const TDX9DeviceSettings* in, const TDX9MatchOptions* options) const
    {
        TDX9MatchEnvironment e;
        e.Enumeration = &Enumeration;
        e.DesktopMode = [this](UINT, D3DDISPLAYMODE& mode) {
            mode = Desktop;
            return true;
        };
        e.DeviceWindowed = reinterpret_cast<HWND>(0x1111);
        e.DeviceFullScreen = reinterpret_cast<HWND>(0x2222);
        return FindValidDeviceSettings(e, out, in, options);
    }

    CD3DEnumeration Enumeration;
    D3DDISPLAYMODE Desktop = Mode(1280, 1024, 60);
};

struct TRow {
    const char* In;       // over the program's creation input (windowed, 1280x1024, discarding swap); null: none
    const char* Options;  // the rest ignored
    const char* Expected; // fields of the result, or null: no combination passes (0x80040902)
};

void RunRows(const TCatalogue& catalogue, std::initializer_list<TRow> rows)
{
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string("in \"") + (row.In ? row.In : "(none)") + "\", options \"" + row.Options + "\"");
        TDX9DeviceSettings in{};
        ForEachWord(std::string("windowed=-1 w=1280 h=1024 swap=1 ") + (row.In ? row.In : ""),
                    [&](const TField& f, const std::string& v) { f.Set(in, Value(v)); });
        TDX9MatchOptions options;
        ForEachWord(row.Options, [&](const TField& f, const std::string& v) {
            options.*f.Option = v == "P" ? M::PreserveInput : v == "C" ? M::ClosestToInput : M::IgnoreInput;
        });
        TDX9DeviceSettings out{};
        out.AdapterOrdinal = 0xDEAD;
        const HRESULT hr = catalogue.Find(out, row.In ? &in : nullptr, &options);
        if (row.Expected == nullptr) {
            EXPECT_EQ(std::uint32_t(hr), 0x80040902u);
            EXPECT_EQ(out.AdapterOrdinal, 0xDEADu) << "a failed match must not touch the output";
            continue;
        }
        ASSERT_EQ(hr, S_OK);
        ForEachWord(row.Expected, [&](const TField& f, const std::string& v) { EXPECT_EQ(f.Get(out), Value(v)) << v; });
    }
}

TEST(DeviceMatch, EachSettingIgnoredPreservedOrClosestOnSeveralCatalogues)
{
    RunRows(TCatalogue(), {
        // No preference: 32 depth bits = 4 x 8 colour bits and no stencil, the discard flag (2).
        {nullptr, "", "adapter=0 type=HAL adapterfmt=X8R8G8B8 vp=0x40 windowed=-1 bb=X8R8G8B8 w=640 h=480 count=2"},
        {nullptr, "", "ms=0 msq=0 swap=1 auto=-1 depth=D32 flags=2 rate=0 interval=0 window=0x1111"},
        {"type=REF", "type=P", "type=REF vp=0x20"}, // no hardware T&L on REF
        {"type=SW", "type=P", nullptr},
        {"adapter=3", "adapter=C", "adapter=0"},
        {"windowed=0", "windowed=P", "windowed=0 w=1280 h=1024 rate=60 window=0x2222"}, // the desktop's size, rate
        {"w=1920 h=1080", "windowed=P size=C", "w=1920 h=1080"}, // a window keeps a size no mode has
        {"w=1920 h=1080", "size=P", nullptr},
        // 800x600 exists only in R5G6B5; |180| + |130| beats 1024x768's |204| + |158|.
        {"windowed=0 w=820 h=610", "windowed=P size=C", "w=640 h=480 rate=60"},
        {"bb=A8R8G8B8", "bb=P", "bb=A8R8G8B8"},
        {"bb=R5G6B5", "bb=C", "bb=X8R8G8B8"},
        {"adapterfmt=R5G6B5", "adapterfmt=P", nullptr},
        {"vp=0x40 type=REF", "vp=P type=P", nullptr},
        {"vp=0x50 type=REF", "vp=C type=P", "vp=0x30"}, // hardware becomes software, other flags stay
        {"vp=0x10", "vp=C", "vp=0x50"},
        {"count=5 swap=3", "count=P swap=P", "count=5 swap=3"},
        {"count=5 swap=7", "count=C swap=C", "count=3 swap=1"},
        {"ms=2 msq=3", "ms=P", "ms=2 msq=3"},
        {"ms=4 msq=3", "ms=P", nullptr}, // type 4 has 2 levels
        {"ms=3 msq=9", "ms=C", "ms=2 msq=3"}, // the first of two equally near types, quality cut
        {"ms=2 msq=1 swap=3", "ms=C", "ms=0 msq=0"}, // only a discarded buffer is multisampled
        {"depth=D24X8", "depth=P", "depth=D24S8"}, // by bits
        {"depth=D24X4S4", "depth=P stencil=P", nullptr}, // both: the very format
        {"depth=D15S1", "stencil=P", nullptr},
        {"depth=D15S1", "stencil=C", "depth=D32"},
        {"", "flags=P", "depth=D32 flags=0"},
        {"flags=1", "flags=C", "flags=3"},
        {"windowed=0 rate=85", "windowed=P size=C rate=P", "rate=85"},
        {"windowed=0 rate=80", "windowed=P size=C rate=C", "rate=85"},
        {"rate=85", "rate=C", "rate=0"},
        {"interval=0x80000000", "interval=P", "interval=0x80000000"},
        {"interval=2", "interval=P windowed=P", nullptr},
        {"interval=2", "interval=P", "windowed=0 interval=2"},
        {"interval=2", "interval=C windowed=P", "interval=0"},
    });
    RunRows(TCatalogue({D3DDEVTYPE_HAL}, 2), {{"adapter=1", "", "adapter=0"}, {"adapter=1", "adapter=C", "adapter=1"}});
    // SW and REF both lack hardware T&L and both miss the optimal HAL: equal ranks, so catalogue order decides.
    RunRows(TCatalogue({D3DDEVTYPE_SW, D3DDEVTYPE_REF}), {{"", "", "type=SW"}});
    RunRows(TCatalogue({D3DDEVTYPE_REF, D3DDEVTYPE_SW}), {{"", "", "type=REF"}});
    RunRows(TCatalogue({D3DDEVTYPE_HAL}, 1, {}), {{"", "", "auto=0 depth=0 flags=0"}});
    // Windowed combinations need the desktop's format; full screen still works.
    TCatalogue r565;
    r565.Desktop = Mode(1280, 1024, 60, D3DFMT_R5G6B5);
    RunRows(r565, {{"", "windowed=P", nullptr}, {"", "", "windowed=0"}});
}

} // namespace
