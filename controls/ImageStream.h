// The stream an image is decoded from: a COM stream over a moveable global memory block holding a copy of the
// image's bytes. The stream owns the block, so it is freed exactly once, with the stream's last reference; a
// decoder that keeps reading it (GDI+ does) holds a reference of its own, and is released by its owner before
// the stream.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <span>

#include "classlib/ComPtr.h"

// A stream holding exactly `bytes`, positioned at its start. Throws Exception with `allocationMessage` when no
// memory block can be had, "Could not create image stream" when the system refuses the stream and "Empty image
// stream created" when it answers without one.
ComPtr<IStream> CreateImageStream(std::span<const uint8_t> bytes, const char* allocationMessage);
