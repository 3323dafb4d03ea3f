#include "controls/GlowHintInfo.h"

#include <windows.h>

TGlowHintInfo::TGlowHintInfo() : notes_(std::make_unique<TStringList>()), picture_(std::make_unique<TGDIPPicture>()) {}

TGlowHintInfo::~TGlowHintInfo() = default;

void TGlowHintInfo::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TGlowHintInfo*>(source);
  if (!other || other == this) return;
  title_ = other->title_;
  notes_->Assign(other->notes_.get());
  showHelp_ = other->showHelp_;
  picture_->Assign(other->picture_.get());
  wideTitle_ = other->wideTitle_;
  wideNotes_ = other->wideNotes_;
}

bool IsVistaOrLater() {
  HMODULE kernel = GetModuleHandleA("kernel32");
  return kernel && GetProcAddress(kernel, "GetLocaleInfoEx") != nullptr;
}
