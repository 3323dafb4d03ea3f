// Pictures for the mini-HTML renderer's IMG sources that are neither image-list indexes nor system icons:
// THTMLPicture (an image file's bytes drawn through the OLE picture service, one frame of an animated GIF at a
// time), TPictureContainer (named pictures) and THTMLPictureCache (pictures by address).
//
// Sections: THTMLPicture; the container and its items; the cache.
//
// Addresses: "RES://name" loads the program's RT_RCDATA resource of that name, "FILE://path" a file; any other
// address (a web address) is only recorded and its picture stays empty: nothing is downloaded.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "classlib/ComPtr.h"
#include "controls/EncodedGraphic.h"

// ---- THTMLPicture ---------------------------------------------------------------------------------------------

class THTMLPicture : public TEncodedGraphic {
public:
  THTMLPicture();
  ~THTMLPicture() override;

  // The loaded picture's size at 96 pixels per inch; 0 without one. Setting them does nothing.
  int Width() const override;
  int Height() const override;
  // At the rectangle's corner at the picture's own size (at the canvas's resolution), or with Stretch into the
  // rectangle; nothing without a loaded picture.
  void Draw(TCanvas& canvas, const TRect& r) override;
  // The layout's and the streaming path: keeps the bytes and loads them, without OnChange; false (the picture
  // unchanged) when the picture service cannot read them.
  bool LoadFromBytes(std::span<const uint8_t> data) override;

  // The load errors below are exceptions with the messages "Could not allocate memory for image", "Could not
  // create image stream", "Empty image stream created", "Could not load image. Invalid format" and "Could not load
  // image"; the bytes are kept and the picture draws nothing.

  // Empty first, the frame back to 1. Null clears the bytes; another THTMLPicture's bytes are copied and loaded,
  // then OnChange; any other source is ignored.
  void Assign(const TPersistent* source) override;
  // LoadFromFile and LoadFromStream: the bytes, load, OnChange; they throw the load errors too.
  // The RT_RCDATA resource `name` of `instance`, when there is one (loaded as by LoadFromStream).
  bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
  // "RES://name" and "FILE://path" (any case) load; any other address is recorded only.
  void LoadFromURL(const std::string& url);
  // The address last given to LoadFromURL.
  const std::string& URL() const { return url_; }

  // Animated GIF files: the frame shown (from 1), clamped to the file's frames when it has any. Setting it loads
  // again and fires OnFrameChange when bytes are held.
  int Frame() const { return frame_; }
  void SetFrame(int value);
  // -1 for bytes that are no GIF file, else its frames.
  int FrameCount() const { return decoded_.FrameCount; }
  // The GIF's logical screen, or the picture's size when the file has none.
  int FrameWidth() const { return decoded_.ScreenWidth ? decoded_.ScreenWidth : Width(); }
  int FrameHeight() const { return decoded_.ScreenHeight ? decoded_.ScreenHeight : Height(); }
  TRect FrameRect() const { return decoded_.FrameRect; }

  bool Stretch() const { return stretch_; }
  void SetStretch(bool value) { stretch_ = value; }
  TNotifyEvent OnFrameChange;

private:
  void BytesRead(bool fromFile) override;
  // Makes the picture from the bytes (the selected frame of a GIF file); on an error it is left without one.
  void Load();

  // What decoding the bytes gave.
  struct TDecoded {
    ComPtr<IPicture> Picture;
    int FrameCount = -1;
    TRect FrameRect;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
  };
  // Decodes `bytes` showing frame `frame` (clamped to the file's frames, written back). Throws the load errors.
  static TDecoded Decode(std::span<const uint8_t> bytes, int& frame);

  bool stretch_ = false;
  std::string url_;
  int frame_ = 1;
  TDecoded decoded_;
};

// ---- the container and its items ------------------------------------------------------------------------------

class TPictureContainer;

class TPictureItem : public TPersistent {
public:
  TPictureItem();
  ~TPictureItem() override;
  THTMLPicture& Picture() { return *picture_; }
  void SetPicture(const THTMLPicture& value) { picture_->Assign(&value); }
  std::string Name;
  intptr_t Tag = 0;
  // Name, tag and picture.
  void Assign(const TPersistent* source) override;

private:
  std::unique_ptr<THTMLPicture> picture_;
};

// The container's items, owned, in the order they were added.
class TPictureCollection : public TPersistent {
public:
  explicit TPictureCollection(TPictureContainer* owner) : owner_(owner) {}
  TPictureContainer* Owner() const { return owner_; }
  TPictureItem& Add();
  int Count() const { return static_cast<int>(items_.size()); }
  // Throws EListError "List index out of bounds (i)".
  TPictureItem& Items(int index) const;
  void Delete(int index);
  void Clear() { items_.clear(); }
  // Copies another collection's items.
  void Assign(const TPersistent* source) override;

private:
  TPictureContainer* owner_;
  std::vector<std::unique_ptr<TPictureItem>> items_;
};

class TPictureContainer : public TComponent {
public:
  explicit TPictureContainer(TComponent* owner);
  ~TPictureContainer() override;
  TPictureCollection& Items() { return items_; }
  void SetItems(const TPictureCollection& value) { items_.Assign(&value); }
  // The first item, in collection order, whose name equals `name` ignoring case; null when there is none.
  THTMLPicture* FindPicture(const std::string& name) const;
  // "1.0.0.0"; setting it does nothing.
  std::string Version() const;

private:
  TPictureCollection items_;
};

// ---- the cache ------------------------------------------------------------------------------------------------

class THTMLPictureCache {
public:
  // The first picture whose address (THTMLPicture::URL) equals `url` exactly; null when there is none.
  THTMLPicture* FindPicture(const std::string& url) const;
  // A new, empty picture, kept by the cache.
  THTMLPicture& AddPicture();
  void ClearPictures() { pictures_.clear(); }
  int Count() const { return static_cast<int>(pictures_.size()); }

private:
  std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};
