#include "controls/ImageStream.h"

#include "classlib/core/SysUtils.h"

ComPtr<IStream> CreateImageStream(std::span<const uint8_t> bytes, const char* allocationMessage) {
  if (bytes.size() > 0x7FFFFFFF) throw Exception(allocationMessage);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (!block) throw Exception(allocationMessage);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Out()))) {
    GlobalFree(block);  // the stream never took it
    throw Exception("Could not create image stream");
  }
  if (!stream) {
    GlobalFree(block);
    throw Exception("Empty image stream created");
  }
  // The block may be larger than asked for: the stream is cut to the bytes, written from its start and rewound,
  // so a decoder reads exactly the image.
  ULARGE_INTEGER size{};
  size.QuadPart = bytes.size();
  ULONG written = 0;
  const LARGE_INTEGER start{};
  if (FAILED(stream->SetSize(size)) ||
      (!bytes.empty() && (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
                          written != bytes.size())) ||
      FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
    throw Exception(allocationMessage);
  return stream;
}
