// The platform's file dialogs: TOpenDialog and TSaveDialog ask the user for a file, starting in InitialDir, with
// the Filter's choices ("Map File (*.map)|*.map", pairs of a text and a pattern), the DefaultExt added to a name
// typed without one, and the Options. A test installs a hook that answers in place of the platform's window.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

#include "classlib/core/LayoutSets.h"
#include "classlib/core/Objects.h"

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofPathMustExist, ofFileMustExist, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

// Answers a dialog instead of the platform: receives what the platform would (the filled OPENFILENAMEA, and
// whether it is a save dialog), writes the chosen name into lpstrFile (at most nMaxFile characters with the null)
// and returns true, or returns false for a cancelled dialog.
using TFileDialogHook = std::function<bool(OPENFILENAMEA& request, bool save)>;
// Sets the hook (an empty one gives the platform's dialogs back); returns the previous hook.
TFileDialogHook SetFileDialogHook(TFileDialogHook hook);

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& value) { initialDir_ = value; }
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& value) { filter_ = value; }
  // 1-based, as the platform counts the filter's choices.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value) { fileName_ = value; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }

  // Shows the dialog over the active window; true when a file was chosen (FileName and FilterIndex then hold the
  // choice), false when the dialog was cancelled or could not be shown. A fault inside a dialog box shown meanwhile
  // ends only the message that raised it: it is reported through Application->HandleException, and the box stays;
  // a fault inside the platform's file dialog itself ends that dialog as cancelled (its code was left half-way, and
  // is not used further), after a message box over it saying that the name confirmed cannot be used, and Execute
  // returns false. A name confirmed in the platform's dialog whose path, as the platform makes it (with its folder,
  // the drive it puts before "\..." and the extension it appends), would reach MAX_PATH characters with its null
  // never reaches the platform (it overruns a buffer there): a message box over the dialog says the name is too
  // long, and the dialog stays with the name in it. What browses goes to the platform whatever its length: a name
  // of an existing folder, "..", or the OK command while a folder is chosen in the dialog's list.
  // The dialog's modal loop runs every handler of the program while it is up: a caller checks again, once it
  // returns, that what it asked for still stands.
  bool Execute();

protected:
  virtual bool IsSave() const { return false; }

private:
  std::string initialDir_;
  std::string filter_;
  int filterIndex_ = 1;
  std::string defaultExt_;
  std::string fileName_;
  std::string title_;
  TOpenOptions options_ = {ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;

protected:
  bool IsSave() const override { return true; }
};
