#include "Common/core/Dev_ResultCodes.h"

namespace {

struct TErrorRow {
    TResultCode Code;
    const wchar_t* Text;
    int ExitCode;
};

constexpr TErrorRow kErrors[] = {
    {kDXUTErrNoDirect3D,
     L"Could not initialize Direct3D. You may want to check that the latest version of DirectX is correctly "
     L"installed on your system.  Also make sure that this program was compiled with header files that match the "
     L"installed DirectX DLLs.",
     2},
    {kDXUTErrNoCompatibleDevices, L"Could not find any compatible Direct3D devices.", 3},
    {kDXUTErrMediaNotFound, L"Could not find required media. Ensure that the DirectX SDK is correctly installed.", 4},
    {kDXUTErrNonZeroRefCount, L"The D3D device has a non-zero reference count, meaning some objects were not released.",
     5},
    {kDXUTErrCreatingDevice, L"Failed creating the Direct3D device.", 6},
    {kDXUTErrResettingDevice, L"Failed resetting the Direct3D device.", 7},
    {kDXUTErrCreatingDeviceObjects, L"Failed creating Direct3D device objects.", 8},
    {kDXUTErrResettingDeviceObjects, L"Failed resetting Direct3D device objects.", 9},
    {kDXUTErrIncorrectVersion, L"Incorrect version of Direct3D and/or D3DX.", 10},
};

const TErrorRow* FindError(TResultCode code)
{
    for (const TErrorRow& row : kErrors)
        if (row.Code == code) return &row;
    return nullptr;
}

} // namespace

std::wstring DXUTErrorMessageText(TResultCode code, bool RemoteSession)
{
    if (code == kDXUTErrNoCompatibleDevices && RemoteSession) return L"Direct3D does not work over a remote session.";
    const TErrorRow* row = FindError(code);
    return row ? row->Text : L"";
}

int DXUTErrorExitCode(TResultCode code)
{
    const TErrorRow* row = FindError(code);
    return row ? row->ExitCode : 1;
}
