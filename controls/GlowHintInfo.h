// TGlowHintInfo: the glow button's office-style hint record (title, notes, picture, help flag), and the test of
// the Windows version the glow button chooses its system font by.
#pragma once

#include <memory>
#include <string>

#include "classlib/core/StringList.h"
#include "controls/GDIPicture.h"

class TGlowHintInfo : public TPersistent {
public:
  TGlowHintInfo();
  ~TGlowHintInfo() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  TStringList& Notes() { return *notes_; }
  // Copies the lines into the owned list.
  void SetNotes(const TStrings& value) { notes_->Assign(&value); }
  TGDIPPicture& Picture() { return *picture_; }
  // Copies the picture into the owned one.
  void SetPicture(const TGDIPPicture& value) { picture_->Assign(&value); }
  bool ShowHelp() const { return showHelp_; }
  void SetShowHelp(bool value) { showHelp_ = value; }

  // From another TGlowHintInfo: title, notes, help flag, picture and the wide texts; any other source is ignored.
  void Assign(const TPersistent* source) override;

private:
  std::string title_;
  std::unique_ptr<TStringList> notes_;
  std::unique_ptr<TGDIPPicture> picture_;
  bool showHelp_ = false;
  std::wstring wideTitle_;
  std::wstring wideNotes_;
};

// True when kernel32 exports GetLocaleInfoEx (Windows Vista and later); false when it does not or kernel32
// cannot be found.
bool IsVistaOrLater();
