// Sections: THTMLPicture; the container and its items; the cache.
#include "controls/PictureContainer.h"

#include <olectl.h>

#include "classlib/core/SysUtils.h"
#include "controls/ImageStream.h"
#include "controls/core/ControlVersion.h"
#include "controls/core/PictureBytes.h"

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kPictureDpi = 96;  // the resolution Width and Height are given at

}  // namespace

// ---- THTMLPicture ---------------------------------------------------------------------------------------------

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

int THTMLPicture::Width() const {
  OLE_XSIZE_HIMETRIC himetric = 0;
  if (!decoded_.Picture || FAILED(decoded_.Picture->get_Width(&himetric))) return 0;
  return MulDiv(himetric, kPictureDpi, kHimetricPerInch);
}

int THTMLPicture::Height() const {
  OLE_YSIZE_HIMETRIC himetric = 0;
  if (!decoded_.Picture || FAILED(decoded_.Picture->get_Height(&himetric))) return 0;
  return MulDiv(himetric, kPictureDpi, kHimetricPerInch);
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& r) {
  IPicture* picture = decoded_.Picture.Get();
  if (empty_ || !picture) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) return;
  HDC dc = canvas.Handle();
  if (!dc) return;
  int w = r.Width(), h = r.Height();
  if (!stretch_) {
    w = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), kHimetricPerInch);
    h = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), kHimetricPerInch);
  }
  // Stretched too through the plain source rectangle (bottom-up in himetric): the flipped destination form draws
  // one row off on some platforms.
  picture->Render(dc, r.Left, r.Top, w, h, 0, height, width, -height, nullptr);
}

THTMLPicture::TDecoded THTMLPicture::Decode(std::span<const uint8_t> bytes, int& frame) {
  TDecoded decoded;
  decoded.FrameCount = GifFrameCount(bytes);
  if (bytes.empty()) return decoded;
  const TGifFrame shown = SelectGifFrame(bytes, frame);
  if (shown.Frame > 0) frame = shown.Frame;
  decoded.FrameRect = Bounds(shown.Left, shown.Top, shown.Width, shown.Height);
  decoded.ScreenWidth = shown.ScreenWidth;
  decoded.ScreenHeight = shown.ScreenHeight;
  // Exactly the selected bytes go to the picture service, from the start of a stream that owns their block.
  const ComPtr<IStream> stream = CreateImageStream(shown.Bytes, "Could not allocate memory for image");
  void* picture = nullptr;
  const HRESULT hr = OleLoadPicture(stream.Get(), static_cast<LONG>(shown.Bytes.size()), FALSE, IID_IPicture,
                                    &picture);
  decoded.Picture = ComPtr<IPicture>::Attach(static_cast<IPicture*>(picture));
  if (FAILED(hr)) throw Exception("Could not load image. Invalid format");
  if (!decoded.Picture) throw Exception("Could not load image");
  return decoded;
}

void THTMLPicture::Load() {
  decoded_ = TDecoded{};
  decoded_.FrameCount = GifFrameCount(bytes_);
  decoded_ = Decode(bytes_, frame_);
}

bool THTMLPicture::LoadFromBytes(std::span<const uint8_t> data) {
  int frame = frame_;
  TDecoded decoded;
  try {
    decoded = Decode(data, frame);
  } catch (const Exception&) {
    return false;
  }
  Store(data);
  frame_ = frame;
  decoded_ = decoded;
  return true;
}

void THTMLPicture::Assign(const TPersistent* source) {
  if (source == this) return;
  auto* other = dynamic_cast<const THTMLPicture*>(source);
  if (source && !other) return;
  empty_ = true;
  decoded_ = TDecoded{};
  frame_ = 1;
  if (!other) {
    bytes_.clear();
    return;
  }
  Store(other->bytes_);
  Load();
  Changed();
}

void THTMLPicture::BytesRead(bool) {
  Load();
  Changed();
}

bool THTMLPicture::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HRSRC resource = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return false;
  HGLOBAL loaded = LoadResource(instance, resource);
  const DWORD size = SizeofResource(instance, resource);
  const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!data) return false;
  TMemoryStream stream;
  stream.WriteBuffer(data, size);
  stream.SetPosition(0);
  LoadFromStream(&stream);
  return true;
}

void THTMLPicture::LoadFromURL(const std::string& url) {
  url_ = url;
  const std::string upper = UpperCase(url);
  if (upper.starts_with("RES://")) LoadFromResourceName(GetModuleHandleA(nullptr), url.substr(6));
  else if (upper.starts_with("FILE://")) LoadFromFile(url.substr(7));
}

void THTMLPicture::SetFrame(int value) {
  frame_ = std::max(value, 1);  // loading clamps it to the file's frames
  if (bytes_.empty()) return;
  Load();
  OnFrameChange(this);
}

// ---- the container and its items ------------------------------------------------------------------------------

TPictureItem::TPictureItem() : picture_(std::make_unique<THTMLPicture>()) {}
TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TPictureItem*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  Name = other->Name;
  Tag = other->Tag;
  picture_->Assign(other->picture_.get());
}

TPictureItem& TPictureCollection::Add() {
  items_.push_back(std::make_unique<TPictureItem>());
  return *items_.back();
}

TPictureItem& TPictureCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return *items_[static_cast<size_t>(index)];
}

void TPictureCollection::Delete(int index) {
  Items(index);
  items_.erase(items_.begin() + index);
}

void TPictureCollection::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TPictureCollection*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  std::vector<std::unique_ptr<TPictureItem>> copies;
  for (const auto& item : other->items_) {
    copies.push_back(std::make_unique<TPictureItem>());
    copies.back()->Assign(item.get());
  }
  items_ = std::move(copies);
}

TPictureContainer::TPictureContainer(TComponent* owner) : TComponent(owner), items_(this) {}
TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const std::string& name) const {
  for (int i = 0; i < items_.Count(); ++i)
    if (SameText(items_.Items(i).Name, name)) return &items_.Items(i).Picture();
  return nullptr;
}

std::string TPictureContainer::Version() const { return ControlVersionText(0x01000000); }

// ---- the cache ------------------------------------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& url) const {
  for (const auto& picture : pictures_)
    if (picture->URL() == url) return picture.get();
  return nullptr;
}

THTMLPicture& THTMLPictureCache::AddPicture() {
  pictures_.push_back(std::make_unique<THTMLPicture>());
  return *pictures_.back();
}
