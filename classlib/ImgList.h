// Image lists: a row of equally sized images with per-pixel alpha, drawn as they are or greyed (the disabled look
// of tool buttons, tabs and menus), and change links through which the controls that show a list hear of changes.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/Graphics.h"

class TCustomImageList;

// A control's subscription to an image list: OnChange fires after every change of the list. The link leaves the
// list when it dies, and the list clears Sender when the list dies first.
class TChangeLink : public TObject {
public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  TCustomImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;

private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  // Image size in pixels; changing it empties the list.
  int Width() const { return width_; }
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  int Count() const { return count_; }

  // Cuts `image` into as many images as fit side by side (at least one: a narrower image is padded) and appends
  // them. PNG images keep their alpha; other pixels of `transparent` (clNone: none) become fully transparent.
  // Returns the index of the first image added, -1 when nothing was added.
  int Add(TGraphic& image, TColor transparent = clNone);
  void Delete(int index);
  void Clear();

  // Draws image `index` with its top-left corner at (x, y). Greyed (enabled false): the image's shape, where it is
  // at least half opaque, in clBtnShadow, over the same shape in clBtnHighlight one pixel right and down. An index
  // out of range draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  TNotifyEvent OnChange;

protected:
  // Tells OnChange and every change link.
  virtual void Change();

private:
  // Blends a premultiplied BGRA image of the list's size onto the canvas at (x, y).
  void Blend(TCanvas& canvas, int x, int y, const uint32_t* pixels);

  int width_ = 16;
  int height_ = 16;
  int count_ = 0;
  std::vector<uint32_t> pixels_;  // premultiplied BGRA, image after image, each row-major
  std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
};
