// The screenshot of the map view: the top-left corner of the back buffer, as the layers and the cursor left it,
// saved as a PNG file beside the executable. One request gives one file and advances the counter.
#include "editor/uMapRender.h"

#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_misc.h"
#include "classlib/DateTimeText.h"
#include "editor/core/uScreenshotName.h"

#include <algorithm>

void TMapRenderer::TakeScreenshot(IDirect3DDevice9* Device, const RECT& Capture)
{
    TMainViewState& s = Ctx.State;
    s.ScreenshotPending = false;
    const std::string date = ScreenshotDateText(DateTimeToStr(Now()));
    const std::string name = ScreenshotFileName(s.ScreenshotCounter, Ctx.MapLabel, date);
    ++s.ScreenshotCounter;
    if (!Ctx.Map) {
        if (Ctx.Log) Ctx.Log->LogWarning("No screenshot : no map is open (" + name + ")");
        return;
    }
    ComPtr<IDirect3DSurface9> target;
    if (!Device || FAILED(Device->GetRenderTarget(0, target.Out())) || !target) {
        if (Ctx.Log) Ctx.Log->LogError("No screenshot : the render target cannot be read (" + name + ")");
        return;
    }
    // The capture, cut to the target: a save reaching past the surface would fail.
    D3DSURFACE_DESC desc{};
    target->GetDesc(&desc);
    const RECT rect{Capture.left, Capture.top, std::min<LONG>(Capture.right, static_cast<LONG>(desc.Width)),
                    std::min<LONG>(Capture.bottom, static_cast<LONG>(desc.Height))};
    if (Ctx.Log) Ctx.Log->LogInfo("Create : " + name);
    const std::string path = Ctx.ExeFolder + name;
    const HRESULT saved = D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, target.Get(), nullptr, &rect);
    if (FAILED(saved) && Ctx.Log) Ctx.Log->LogError("The screenshot could not be written : " + path);
}
