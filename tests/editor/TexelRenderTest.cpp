// At 100 % the view shows every image texel for texel: the layers, the cursors and the screenshot hold each pixel
// of a noise image as it is (or blended over the clear colour where it is half-transparent), and the texts keep
// their glyphs' full strength. A smoothing filter would mix every pixel with its neighbours. At the other zooms
// images are smoothed, but only over their own texels.
#include "tests/editor/MapRenderScene.h"

#include "classlib/core/PngImage.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/ImageTestSupport.h"

#include <functional>
#include <sstream>
#include <string>

namespace {

using namespace rendertest;
using TexelExact = TMapRenderScene;
using fixtures::WilImage;
using fixtures::WilPixelKind;

// What a pixel of the image becomes over the black clear colour: opaque draws keep the colour whatever the alpha;
// blended draws show transparent pixels as black and half-transparent ones at alpha 0x7F.
uint32_t Shown(const fixtures::WilPixel& Pixel, bool Opaque)
{
    if (Pixel.Kind == WilPixelKind::Transparent) return 0;
    return Opaque || Pixel.Kind == WilPixelKind::Opaque ? Rgb(Pixel.Colour) : Blended(Pixel.Colour);
}

// The pixels of Image whose colour at (X, Y) of the frame (read through At) is not what it should be; empty
// when all are. A blend may round either way, so half-transparent pixels may differ by 1.
std::string Mismatches(const WilImage& Image, int X, int Y, bool Opaque, const std::function<uint32_t(int, int)>& At)
{
    std::ostringstream out;
    int wrong = 0;
    for (int y = 0; y < Image.Height; ++y)
        for (int x = 0; x < Image.Width; ++x) {
            const fixtures::WilPixel& pixel = Image.Pixels[size_t(y) * Image.Width + size_t(x)];
            const uint32_t want = Shown(pixel, Opaque), got = At(X + x, Y + y);
            const bool blended = !Opaque && pixel.Kind == WilPixelKind::Semi;
            if (blended ? Near(got, want, 1) : got == want) continue;
            if (wrong++ == 0) out << "first at " << x << "," << y << ": " << std::hex << got << " for " << want << std::dec;
        }
    if (wrong) out << "; " << wrong << " of " << Image.Width * Image.Height << " pixels wrong";
    return out.str();
}

TEST_F(TexelExact, LayersCursorsAndTheScreenshotShowEveryPixel)
{
    Tile(1, 3, 0, 3);                      // the noise tile at (96, 192)
    Map.SetLayerA(6, 12, 4, 4);            // the noise object on cell (6, 12): at (288, 32 x 12 + 32 - 40)
    State.ObjectMode = ObjectModeFront;    // its cursor on view cell (12, 12)
    State.SelectedLibrary = 4;
    State.SelectedImage = 4;
    State.ViewStepCellX = State.ViewStepCellY = 12;
    State.ScreenshotPending = true;
    Frame();
    const struct {
        const char* What;
        const WilImage& Image;
        int X, Y;
        bool Opaque;
    } drawn[] = {
        {"the tile layer", NoiseTile, 96, 192, true},
        {"the front-object layer", NoiseObject, 288, 376, false},
        {"the object cursor", NoiseObject, 576, 376, false},
    };
    const auto frame = [this](int x, int y) { return Pixel(x, y); };
    for (const auto& d : drawn) EXPECT_EQ(Mismatches(d.Image, d.X, d.Y, d.Opaque, frame), "") << d.What;

    const std::set<std::string> shots = Shots(Dir.path());
    ASSERT_EQ(shots.size(), 1u);
    TPngImage png;
    ASSERT_TRUE(png.LoadFromMemory(fixtures::ReadFileBytes(Dir.file(*shots.begin()))));
    const auto shot = [&png](int x, int y) {
        const TRgba c = png.Pixel(uint32_t(x), uint32_t(y));
        return uint32_t(c.R) << 16 | uint32_t(c.G) << 8 | c.B;
    };
    for (const auto& d : drawn) EXPECT_EQ(Mismatches(d.Image, d.X, d.Y, d.Opaque, shot), "") << "screenshot: " << d.What;

    // The tile cursor draws opaque, as the tile layer does.
    State.ObjectMode = ObjectModeTile;
    State.SelectedLibrary = 0;
    State.SelectedImage = 3;
    State.ViewTileCellX = 9;
    State.ViewTileCellY = 3;
    Frame();
    EXPECT_EQ(Mismatches(NoiseTile, 864, 192, true, frame), "") << "the tile cursor";
}

// Glyphs drawn unsmoothed keep pixels at the text's full colour; smoothed over their neighbours, a stroke two or
// three pixels wide has none left.
TEST_F(TexelExact, TextsKeepTheirGlyphsFullStrength)
{
    Frame();
    EXPECT_GT(Count(5, 5, 400, 22, 0xFFFFFFu), 60) << "the statistics text in full white";

    Map.SetLayerA(6, 12, 4, 4);
    State.WorkMode = WorkModeSelect;
    State.ObjectLayerKind = LayerKindFront;
    State.StepCellX = State.ViewStepCellX = 6;
    State.StepCellY = State.ViewStepCellY = 12;
    Frame();
    // The lowest row of the front-object box is yellow, right of the image (at 288 + 44 + 8).
    EXPECT_GT(Count(340, 330, 640, 420, 0xFFFF00u), 60) << "the info box's lowest row in full yellow";
}

// Away from 100 % the filter smooths, over the image's own colours only: a tile of one colour keeps it to the last
// pixel of its drawn area (the texture's unused part right of and below the image never shows a colour of its
// own), an object's edge mixes its own colour with what lies beneath (over a tile of the same colour, one colour),
// and one-pixel stripes shrink to greys.
TEST_F(TexelExact, AtOtherZoomsImagesAreSmoothedOverTheirOwnTexelsOnly)
{
    enum TExpect { OneColour, Greys };
    const struct {
        int32_t Zoom;
        const char* What;
        bool Tile;  // else an object: on step cell (4, 4), blended over a red tile
        int32_t Library, Image;
        int Width, Height;
        TExpect Expect;
        uint32_t Colour;
    } rows[] = {
        {125, "a red tile", true, 0, 0, 96, 64, OneColour, Rgb(Red565)},
        {150, "a red tile", true, 0, 0, 96, 64, OneColour, Rgb(Red565)},
        {75, "a red tile", true, 0, 0, 96, 64, OneColour, Rgb(Red565)},
        {150, "a red 20 x 20 object", false, 11, 3, 20, 20, OneColour, Rgb(Red565)},
        {50, "a tile of black and white columns", true, 0, 4, 96, 64, Greys, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Zoom) + " %, " + row.What);
        ASSERT_TRUE(Map.NewMap("Fix.map", 24, 20, 0));
        const int x = row.Tile ? 96 : 48 * 4, y = row.Tile ? 64 : 32 * 4 + 32 - row.Height;  // unscaled
        if (row.Tile) {
            Tile(1, 1, row.Library, row.Image);
        } else {
            Tile(2, 2, 0, 0);  // (192, 128) to (288, 192)
            Map.SetLayerA(4, 4, row.Library, row.Image);
        }
        State.ZoomPercent = row.Zoom;
        Frame();
        const double scale = row.Zoom / 100.0;
        const int left = int(x * scale), top = int(y * scale);
        const int right = int((x + row.Width) * scale), bottom = int((y + row.Height) * scale);
        const int area = (right - left) * (bottom - top);
        const int midX = (left + right) / 2, midY = (top + bottom) / 2;
        std::ostringstream edges;  // where a seam shows
        edges << std::hex << "first and last column " << Pixel(left, midY) << ", " << Pixel(right - 1, midY)
              << "; first and last row " << Pixel(midX, top) << ", " << Pixel(midX, bottom - 1);
        if (row.Expect == OneColour)
            EXPECT_EQ(Count(left, top, right, bottom, row.Colour), area) << edges.str();
        else
            EXPECT_GT(Count(left, top, right, bottom, [](uint32_t p) { return p != 0 && p != 0xFFFFFF; }), area / 2)
                << edges.str();
    }
}

// A marker is drawn with its cell's rectangle, 48 x 32, whatever its image's size: at 100 % the cell shows what
// lies beneath (a green tile) around a smaller image, whether its texture reaches past the cell or not.
TEST_F(TexelExact, AroundAMarkerSmallerThanItsCellShowsWhatLiesBeneath)
{
    testsupport::TTestImages markers(60);
    markers[58] = fixtures::MakeWilImage(20, 10, fixtures::Opaque(Red565));   // a 32 x 16 texture
    markers[59] = fixtures::MakeWilImage(40, 20, fixtures::Opaque(Blue565));  // 64 x 32
    // As a SIL library: the scene's WIL library 3 is mapped and cannot be written over.
    ImageLibKind = ImageLibKindSIL;
    const std::filesystem::path path = LibraryFilePath(Folder(), 3, ImageLibKind);
    ASSERT_TRUE(testsupport::WriteTestLibrary((path.parent_path() / path.stem()).string(), ImageLibKind, markers));
    ASSERT_TRUE(Cache->BuildCache(3));
    State.ShowBlockers = true;
    Tile(2, 3, 0, 2);  // green, from (192, 192)
    const struct {
        uint8_t Blocker;  // 1 "Can't Move" (image 58), 2 "Can't Move and Fly" (59)
        int Width, Height;
        uint32_t Colour;
    } rows[] = {{1, 20, 10, Rgb(Red565)}, {2, 40, 20, Rgb(Blue565)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Width) + " x " + std::to_string(row.Height));
        Map.SetCellMoveFlags(4, 6, row.Blocker);  // the cell at (192, 192)
        Frame();
        const int image = row.Width * row.Height;
        EXPECT_EQ(Count(192, 192, 192 + row.Width, 192 + row.Height, row.Colour), image);
        EXPECT_EQ(Count(192, 192, 240, 224, Rgb(Green565)), 48 * 32 - image)
            << std::hex << "right of the image " << Pixel(192 + row.Width, 192) << ", below it "
            << Pixel(192, 192 + row.Height);
    }
}

}  // namespace
