#include "editor/core/uSelectInfoLayout.h"

namespace {

struct TRgb {
    int32_t R, G, B;
};

// The gradient's end colour by kind; every gradient starts at yellow.
constexpr TRgb GradientStart{255, 255, 0};
constexpr TRgb GradientEnd[3] = {{240, 15, 64}, {0, 100, 255}, {0, 255, 64}};

// S + Row (E - S) / 6 to the nearest integer, halves to even.
int32_t Sixths(int32_t Start, int32_t End, int32_t Row)
{
    const int32_t scaled = Start * 6 + Row * (End - Start);  // six times the exact value, never negative here
    const int32_t whole = scaled / 6, rest = scaled % 6;
    if (rest > 3 || (rest == 3 && whole % 2 != 0)) return whole + 1;
    return whole;
}

std::string Pair(int32_t A, const char* Between, int32_t B)
{
    return std::to_string(A) + Between + std::to_string(B);
}

TBracketSet Brackets(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Arm,
                     const std::array<int32_t, 4>& Colours)
{
    const auto f = [](int32_t v) { return static_cast<float>(v); };
    const float l = f(Left), t = f(Top), r = f(Right), b = f(Bottom), a = f(Arm);
    return {{
        {{{{l, t}, {l + a, t}, {l, t}, {l, t + a}}}, 4, Colours[0]},
        {{{{r - a, t}, {r, t}, {r, t + a}}}, 3, Colours[1]},
        {{{{l, b}, {l + a, b}, {l, b}, {l, b - a}}}, 4, Colours[2]},
        {{{{r - a, b}, {r, b}, {r, b - a}}}, 3, Colours[3]},
    }};
}

}  // namespace

TInfoOrigin InfoBoxOrigin(TInfoBoxKind Kind, int32_t ViewX, int32_t ViewY, int32_t Height)
{
    if (Kind == TInfoBoxKind::Tile) return {96 * ViewX, 64 * ViewY};
    return {48 * ViewX, 32 * ViewY + 32 - Height};
}

TArgb InfoRowColour(TInfoBoxKind Kind, int32_t Row)
{
    const TRgb& end = GradientEnd[static_cast<int32_t>(Kind)];
    const auto channel = [&](int32_t s, int32_t e) { return static_cast<TArgb>(Sixths(s, e, Row)); };
    return 0xFF000000u | channel(GradientStart.R, end.R) << 16 | channel(GradientStart.G, end.G) << 8 |
           channel(GradientStart.B, end.B);
}

std::vector<TInfoRow> InfoBoxRows(TInfoBoxKind Kind, const TInfoElement& Element, TInfoOrigin Origin, bool Raised)
{
    const bool tile = Kind == TInfoBoxKind::Tile;
    const char* typeName = tile ? "Tile" : Kind == TInfoBoxKind::BackObject ? "Back Object" : "Front Object";
    std::vector<std::pair<const char*, std::string>> texts = {
        {"-Offset X / Y", Pair(Element.OffsetX, " / ", Element.OffsetY)},
        {tile ? "-Tile X / Y" : "-Step X / Y", Pair(Element.CellX, " / ", Element.CellY)},
    };
    if (!tile) texts.push_back({"-Size H x W", Pair(Element.Height, " x ", Element.Width)});
    texts.push_back({"-File Name", Element.LibraryName});
    texts.push_back({"-Image / Lib ID", Pair(Element.Image, " / ", Element.Library)});
    texts.push_back({"-Image Type", typeName});

    const int32_t base = Raised ? 105 : 8;
    std::vector<TInfoRow> rows;
    for (size_t r = 0; r < texts.size(); ++r) {
        const int32_t row = static_cast<int32_t>(r);
        rows.push_back({texts[r].first, " : ( " + texts[r].second + " )", Origin.X + Element.Width + 8,
                        Origin.X + Element.Width + 108, Origin.Y + Element.Height - base - 15 * row,
                        InfoRowColour(Kind, row)});
    }
    return rows;
}

TBracketSet InnerBrackets(TInfoOrigin Origin, int32_t Width, int32_t Height)
{
    return Brackets(Origin.X, Origin.Y, Origin.X + Width + 1, Origin.Y + Height + 1, 20, {1, 0, 3, 2});
}

TBracketSet OuterBrackets(TInfoOrigin Origin, int32_t Width, int32_t Height)
{
    return Brackets(Origin.X - 4, Origin.Y - 4, Origin.X + Width + 4, Origin.Y + Height + 4, 15, {5, 4, 7, 6});
}
