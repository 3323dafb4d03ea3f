#include "controls/EncodedGraphic.h"

void TEncodedGraphic::Store(std::span<const uint8_t> bytes) {
  bytes_.assign(bytes.begin(), bytes.end());
  empty_ = false;
}

void TEncodedGraphic::LoadFromFile(const std::string& fileName) {
  TMemoryStream file;
  file.LoadFromFile(fileName);
  Store({file.Memory(), static_cast<size_t>(file.Size())});
  BytesRead(true);
}

void TEncodedGraphic::LoadFromStream(TStream* stream) {
  if (!stream) return;
  TMemoryStream rest;
  const int64_t left = stream->Size() - stream->Position();
  if (left > 0) rest.CopyFrom(*stream, left);
  Store({rest.Memory(), static_cast<size_t>(rest.Size())});
  BytesRead(false);
}

void TEncodedGraphic::SaveToStream(TStream* stream) const {
  if (stream && !bytes_.empty()) stream->WriteBuffer(bytes_.data(), bytes_.size());
}
