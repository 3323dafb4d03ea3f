// The renderer's device objects and the composition of one frame.
//
// Sections: zoom transform; device objects; one frame.
#include "editor/uMapRender.h"

#include "Common/Dev_misc.h"
#include "editor/core/uZoomTable.h"
#include "gamedata/uCache_Manager.h"

#include <array>

TAnimationFrameOffsets AnimationFrameOffsets{};

// ---- zoom transform ----------------------------------------------------------------------------------------

bool ZoomScalingMatrix(int32_t Zoom, D3DXMATRIX& Matrix)
{
    const TZoomLevel* level = ZoomLevelOfPercent(Zoom);
    if (!level) return false;
    D3DXMatrixScaling(&Matrix, level->Scale, level->Scale, 0.1f);
    return true;
}

// ---- device objects ----------------------------------------------------------------------------------------

namespace {

// The five sprites in the order they are always handled.
std::array<ComPtr<ID3DXSprite>*, 5> Sprites(TMapRenderContext& Context)
{
    return {&Context.TileSprite, &Context.FrontSprite, &Context.BackSprite, &Context.MarkerSprite,
            &Context.CursorSprite};
}

}  // namespace

TMapRenderer::TMapRenderer(TMapRenderContext& Context) : Ctx(Context) {}

HRESULT TMapRenderer::DeviceCreated(IDirect3DDevice9* Device)
{
    for (ComPtr<ID3DXSprite>* sprite : Sprites(Ctx))
        if (CheckHResult(D3DXCreateSprite(Device, sprite->Out()))) return E_FAIL;
    if (CheckHResult(CreateD3DLine(Device, Ctx.GridLine))) return E_FAIL;
    // A device made anew (not reset) makes the textures from now on; the caches' old ones belong to the old device.
    if (Ctx.CacheManager) Ctx.CacheManager->SetDevice(Device);
    return S_OK;
}

HRESULT TMapRenderer::DeviceReset(IDirect3DDevice9*)
{
    try {
        HRESULT result = S_OK;
        for (ComPtr<ID3DXSprite>* sprite : Sprites(Ctx))
            if (*sprite) result = (*sprite)->OnResetDevice();
        if (Ctx.GridLine) result = Ctx.GridLine->OnResetDevice();
        if (Ctx.CacheManager) Ctx.CacheManager->ReloadAll();
        return result;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TMapRenderer::DeviceLost()
{
    try {
        for (ComPtr<ID3DXSprite>* sprite : Sprites(Ctx))
            if (*sprite) (*sprite)->OnLostDevice();
        if (Ctx.GridLine) Ctx.GridLine->OnLostDevice();
        CurrentImage = {};
        if (Ctx.CacheManager) Ctx.CacheManager->ReloadAll();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TMapRenderer::DeviceDestroyed()
{
    try {
        for (ComPtr<ID3DXSprite>* sprite : Sprites(Ctx)) sprite->Reset();
        Ctx.GridLine.reset();
        CurrentImage = {};
        // The caches let go of the device and their textures on it, so the device goes with the framework's release.
        if (Ctx.CacheManager) Ctx.CacheManager->SetDevice(nullptr);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

// ---- one frame ---------------------------------------------------------------------------------------------

bool TMapRenderer::FetchImage(int32_t Library, int32_t Image)
{
    CurrentImage = Ctx.CacheManager ? Ctx.CacheManager->GetImage(Library, Image) : TImageHeaderD3D{};
    return CurrentImage.Loaded();
}

HRESULT TMapRenderer::RenderMap(IDirect3DDevice9* Device, double, float)
{
    try {
        TMainViewState& s = Ctx.State;
        const bool shot = s.ScreenshotPending;
        RECT capture{0, 0, 0, 0};
        if (shot && Ctx.Map) capture = {0, 0, 800, 600};

        const int32_t w = Ctx.BackgroundWidth, h = Ctx.BackgroundHeight;
        if (s.ShowTiles) DrawTileLayer(w, h, s.ZoomPercent, s.DrawColor);
        if (s.ShowBackObjects) DrawBackObjects(s.ShowAnimation, w, h, s.ZoomPercent, s.DrawColor);
        if (s.ShowFrontObjects) DrawFrontObjects(s.ShowAnimation, w, h, s.ZoomPercent, s.DrawColor);
        if (s.ShowBlockers) DrawBlockers(w, h, s.ZoomPercent, s.DrawColor);
        if (s.ShowLights) DrawLights(w, h, s.ZoomPercent, s.DrawColor);

        switch (s.ObjectMode) {
        case ObjectModeTile:
            DrawTileCursor(s.ZoomPercent, s.SelectedLibrary, s.ViewTileCellX, s.ViewTileCellY, s.SelectedImage,
                           s.DrawColor);
            break;
        case ObjectModeFront:
        case ObjectModeBack:
            DrawObjectCursor(s.ZoomPercent, s.SelectedLibrary, s.ViewStepCellX, s.ViewStepCellY, s.SelectedImage,
                             s.DrawColor);
            break;
        case ObjectModeBlocker:
            DrawBlockerCursor(s.ZoomPercent, s.ViewStepCellX, s.ViewStepCellY, s.DrawColor);
            break;
        case ObjectModeLight:
            DrawLightCursor(s.ZoomPercent, s.ViewStepCellX, s.ViewStepCellY, s.DrawColor);
            break;
        default:
            break;
        }

        if (shot) TakeScreenshot(Device, capture);

        if (s.ShowStepGrid) DrawStepHelpGrid(s.ZoomPercent, Ctx.GridWidth, Ctx.GridHeight, 1.0f, s.StepGridColor);
        if (s.ShowTileGrid) DrawTileHelpGrid(s.ZoomPercent, Ctx.GridWidth, Ctx.GridHeight, 1.0f, s.TileGridColor);

        if (s.WorkMode == WorkModeSelect && s.ZoomPercent == 100) {
            const auto box = [&](TInfoBoxKind kind, bool raiseCheck, const TOverlayColors& colours) {
                const bool tile = kind == TInfoBoxKind::Tile;
                DrawSelectInfo(s.ZoomPercent, s.StepCellX, s.StepCellY, s.TileCellX, s.TileCellY,
                               tile ? s.ViewTileCellX : s.ViewStepCellX, tile ? s.ViewTileCellY : s.ViewStepCellY,
                               2.0f, 1.0f, static_cast<int32_t>(kind), raiseCheck, colours);
            };
            if (s.ObjectLayerKind == LayerKindTile) {
                box(TInfoBoxKind::Tile, false, s.OverlayColorsB);
            } else if (s.ObjectLayerKind == LayerKindFront) {
                box(TInfoBoxKind::BackObject, true, s.OverlayColorsA);
                box(TInfoBoxKind::FrontObject, true, s.OverlayColorsB);
            }
        }
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}
