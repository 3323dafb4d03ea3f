#include "editor/core/uDeviceResultText.h"

namespace {

struct TCodeText {
    TResultCode Code;
    const char* Text;
};

constexpr TCodeText CodeTexts[] = {
    {kDXUTErrNoDirect3D, "Error Code : NO DIRECT3D..."},
    {kDXUTErrNoCompatibleDevices, "Error Code : NO COMPATIBLE DEVICES..."},
    {kDXUTErrMediaNotFound, "Error Code : MEDIA NOT FOUND..."},
    {kDXUTErrNonZeroRefCount, "Error Code : NON ZERO REF COUNT..."},
    {kDXUTErrCreatingDevice, "Error Code : CREATING DEVICE..."},
    {kDXUTErrResettingDevice, "Error Code : RESETTING DEVICE..."},
    {kDXUTErrCreatingDeviceObjects, "Error Code : CREATING DEVICE OBJECTS..."},
    {kDXUTErrResettingDeviceObjects, "Error Code : RESETTING DEVICE OBJECTS..."},
    {kDXUTErrIncorrectVersion, "Error Code : INCORRECT VERSION..."},
};

}  // namespace

std::string DeviceResultLogText(TResultCode Code)
{
    if (Code == kResultOk) return {};
    for (const TCodeText& t : CodeTexts)
        if (t.Code == Code) return t.Text;
    return "Found some Error... Error Code :" + std::to_string(Code);
}
