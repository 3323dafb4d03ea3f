// What the readback presentation adds to a frame at 1280 x 1024: the framework's frame step, which copies the back
// buffer into a shown panel, against the same frame drawn without the copy. The frame is an empty one (clear,
// begin and end the scene), so the ratio states the copy against almost nothing and the row has no goal: its
// figure is the copy's own time per frame (a note); the render driver states the copy against a map frame.
// Usage: framework_bench [--rounds N] [--frames N] (frames per round, default 50)
#include "bench/support/ReadbackBench.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

void EmptyFrame(IDirect3DDevice9* Device, double, float, void*)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF204060, 1.0f, 0);
    if (SUCCEEDED(Device->BeginScene())) Device->EndScene();
}

} // namespace

int main(int argc, char** argv)
{
    int frames = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--frames") == 0) frames = std::atoi(argv[i + 1]);
    if (frames <= 0) {
        std::fprintf(stderr, "usage: framework_bench [--rounds N] [--frames N]\n");
        return 2;
    }
    bench::TReadbackBench bench(kWidth, kHeight);
    if (!bench.Ready()) {
        std::fprintf(stderr, "framework_bench: no 1280x1024 device\n");
        return 1;
    }
    const bench::TResult result =
        bench.Compare({"readback, empty 1280x1024 frame (no map view)", "the same frame without readback", {}},
                      EmptyFrame, nullptr, bench::Rounds(argc, argv), frames);
    bench::Note("frame with readback (median)", result.PathMedian / frames * 1e3, "ms");
    bench::Note("frame alone (median)", result.FloorMedian / frames * 1e3, "ms");
    bench::Note("readback per frame (median difference)", (result.PathMedian - result.FloorMedian) / frames * 1e3,
                "ms");
    bench::PrintHeader();
    bench::PrintRow(result);
    return 0;
}
