// Owners for the GDI objects the SDD painters make for one drawing: the object is deleted, and whatever a DC held
// before is selected back, also when drawing throws.
#pragma once

#include <windows.h>

#include <utility>

template <class THandle>
class TGdiObject {
public:
  explicit TGdiObject(THandle handle = nullptr) : handle_(handle) {}
  ~TGdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  THandle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

private:
  THandle handle_;
};

// Selects an object into a DC for the life of the scope.
class TDcSelection {
public:
  TDcSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~TDcSelection() {
    if (old_) SelectObject(dc_, old_);
  }
  TDcSelection(const TDcSelection&) = delete;
  TDcSelection& operator=(const TDcSelection&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory DC compatible with another one, deleted with the scope.
class TMemoryDC {
public:
  explicit TMemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~TMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

private:
  HDC dc_;
};
