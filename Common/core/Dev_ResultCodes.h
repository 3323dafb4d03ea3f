#pragma once
// 32-bit result codes of the framework and the bounded text routines (Windows HRESULT values), with the
// framework codes' user texts and proposed exit codes. Platform-free so that core code can return them.
#include <cstdint>
#include <string>

using TResultCode = std::int32_t;

constexpr TResultCode ResultCode(std::uint32_t bits) { return static_cast<TResultCode>(bits); }

inline constexpr TResultCode kResultOk = 0;
inline constexpr TResultCode kResultFail = ResultCode(0x80004005u);
inline constexpr TResultCode kResultAbort = ResultCode(0x80004004u);
inline constexpr TResultCode kResultInvalidArg = ResultCode(0x80070057u);
inline constexpr TResultCode kResultOutOfMemory = ResultCode(0x8007000Eu);
inline constexpr TResultCode kResultInsufficientBuffer = ResultCode(0x8007007Au);

// Framework failures; each has a message and an exit code below.
inline constexpr TResultCode kDXUTErrNoDirect3D = ResultCode(0x80040901u);
inline constexpr TResultCode kDXUTErrNoCompatibleDevices = ResultCode(0x80040902u);
inline constexpr TResultCode kDXUTErrMediaNotFound = ResultCode(0x80040903u);
inline constexpr TResultCode kDXUTErrNonZeroRefCount = ResultCode(0x80040904u);
inline constexpr TResultCode kDXUTErrCreatingDevice = ResultCode(0x80040905u);
inline constexpr TResultCode kDXUTErrResettingDevice = ResultCode(0x80040906u);
inline constexpr TResultCode kDXUTErrCreatingDeviceObjects = ResultCode(0x80040907u);
inline constexpr TResultCode kDXUTErrResettingDeviceObjects = ResultCode(0x80040908u);
inline constexpr TResultCode kDXUTErrIncorrectVersion = ResultCode(0x80040909u);

// Direct3D's "device lost" and "not available" results, which the framework tells apart from other failures.
inline constexpr TResultCode kD3DErrDeviceLost = ResultCode(0x88760868u);
inline constexpr TResultCode kD3DErrNotAvailable = ResultCode(0x8876086Au);

constexpr bool Failed(TResultCode code) { return code < 0; }

// The text shown for one of the nine framework codes; empty for any other code. RemoteSession chooses the
// second text of "no compatible devices".
std::wstring DXUTErrorMessageText(TResultCode code, bool RemoteSession);

// The exit code the framework proposes after a failure: 2 to 10 for the framework codes, 1 for any other.
int DXUTErrorExitCode(TResultCode code);
