#include "classlib/Dialogs.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/Application.h"
#include "classlib/FaultBoundary.h"
#include "classlib/HandlerScope.h"
#include "classlib/core/FileDialogPaths.h"

namespace {

TFileDialogHook& Hook() {
  static TFileDialogHook hook;
  return hook;
}

// "Text|pattern|Text|pattern" as the platform wants it: each part ended by a null, the whole by a second one.
std::string PlatformFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

// ---- the dialog boxes of a running file dialog ----
// The platform calls a dialog box's procedure straight from the box's modal loop, with no boundary of its own in
// between: a fault inside it (the platform's save dialog faults on some names typed into it) would pass through
// our frames and end the program. So while a file dialog runs, every dialog box opened in this thread gets a window
// procedure of ours around the platform's: a fault ends only the message that raised it and is reported naming the
// box's window class (the handler scope notes it). Any other box stays, to be answered again or cancelled; the file
// dialog's own box ends as cancelled, since the platform's code that faulted was left half-way.

constexpr char kPlatformProcProp[] = "ClasslibDialogBoxProc";

// ---- names the platform's file dialog cannot take ----
// The platform's file dialog joins its current folder and a confirmed name in a buffer of MAX_PATH characters on its
// stack without checking the length: a longer path overruns it (under Wine 8 from 264 characters of folder,
// separator and name on) and the process dies with a smashed stack, which no fault boundary can survive. Enter, the
// OK button and a double-click on a file in the list all reach the box as its OK command, the name then in the name
// field: a name too long for a path is answered there, before the platform sees it. A message box over the dialog
// says so, and the dialog stays with the name in it. What browses (a folder chosen in the list, a name of an
// existing folder) goes to the platform as it is.

// What a file dialog appends to a name, held by the dialog's boxes while it runs.
struct TFileDialogNaming {
  std::string Filter;  // "Text|pattern|Text|pattern"
  std::string DefaultExt;
};
constexpr char kNamingProp[] = "ClasslibFileDialogNaming";

// The name field of a file dialog box (the explorer style's combo box, else the old style's edit); null for any
// other box (a message box, a box of the program's own).
HWND NameField(HWND box) {
  const HWND combo = GetDlgItem(box, cmb13);
  return combo ? combo : GetDlgItem(box, edt1);
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(GetWindowTextW(window, text.data(), length + 1), 0)));
  return text;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder the dialog shows; for a folder with no path (a virtual one), the current directory, which the dialog
// then joins names to.
std::wstring DialogFolder(HWND box) {
  // The box answers in the character set it was created in, whatever the message's: ours in ANSI.
  std::string folder(MAX_PATH * 4, '\0');
  if (SendMessageA(box, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data())) > 0) {
    folder.resize(strnlen(folder.data(), folder.size()));
    std::wstring wide(folder.size(), L'\0');
    wide.resize(static_cast<size_t>(std::max(
        MultiByteToWideChar(CP_ACP, 0, folder.data(), int(folder.size()), wide.data(), int(wide.size())), 0)));
    return wide;
  }
  std::wstring current(MAX_PATH * 4, L'\0');
  current.resize(GetCurrentDirectoryW(DWORD(current.size()), current.data()));
  return current;
}

// The current directory of a drive-relative name's drive ("c:" of "c:name"); the drive itself when there is none.
std::wstring DriveFolder(const std::wstring& name) {
  const std::wstring drive = name.substr(0, 2);
  std::wstring folder(MAX_PATH * 4, L'\0');
  const DWORD length = GetFullPathNameW(drive.c_str(), DWORD(folder.size()), folder.data(), nullptr);
  if (length == 0 || length >= folder.size()) return drive;
  folder.resize(length);
  return folder;
}

// Whether the dialog's list has a folder chosen: its OK command then browses into it, whatever the name field holds.
bool FolderChosenInList(HWND box, const std::wstring& folder) {
  const HWND view = FindWindowExA(box, nullptr, "SHELLDLL_DefView", nullptr);
  const HWND list = view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
  if (!list || SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) != 1) return false;
  const int item = int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
  wchar_t text[MAX_PATH] = L"";
  LVITEMW request{};
  request.pszText = text;
  request.cchTextMax = MAX_PATH;
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
  return text[0] && IsFolder(filedialog::PathOfName(text, folder, {}));
}

// The extension the dialog would append, by its filter chosen in the box.
size_t AppendedExtensionLength(HWND box) {
  const auto* naming = static_cast<const TFileDialogNaming*>(GetPropA(box, kNamingProp));
  if (!naming) return 0;
  const HWND filters = GetDlgItem(box, cmb1);
  const int index = filters ? int(SendMessageA(filters, CB_GETCURSEL, 0, 0)) : -1;
  return filedialog::AppendedExtensionLength(naming->Filter, index, naming->DefaultExt);
}

// Whether the path the platform makes of the name in the field would not fit a path.
bool NameTooLongForAPath(HWND box, HWND field) {
  const std::wstring name = TextOf(field);
  if (name.empty()) return false;
  const std::wstring folder = DialogFolder(box);
  if (FolderChosenInList(box, folder)) return false;
  const std::wstring path =
      filedialog::PathOfName(name, folder, filedialog::IsDriveRelative(name) ? DriveFolder(name) : std::wstring());
  return filedialog::PathTooLong(path, IsFolder(path), AppendedExtensionLength(box));
}

// Says why the box's OK command did nothing, in a message box over it.
void SayWhyNotConfirmed(HWND box, const char* why) {
  char title[256] = "";
  GetWindowTextA(box, title, sizeof title);
  if (Application) Application->MessageBox(why, title, MB_OK | MB_ICONWARNING, box);
}

// ---- the guarded procedure ----

template <bool Unicode>
LRESULT CALLBACK GuardedDialogBoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto platform = reinterpret_cast<WNDPROC>(GetPropA(wnd, kPlatformProcProp));
  if (!platform) return Unicode ? DefWindowProcW(wnd, msg, wParam, lParam) : DefWindowProcA(wnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    const auto get = Unicode ? GetWindowLongPtrW : GetWindowLongPtrA;
    const auto set = Unicode ? SetWindowLongPtrW : SetWindowLongPtrA;
    if (get(wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<Unicode>))
      set(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform));
    RemovePropA(wnd, kPlatformProcProp);
    RemovePropA(wnd, kNamingProp);
  }
  // A file dialog's OK command: the name in its field is what the platform goes on with.
  const HWND nameField = msg == WM_COMMAND && LOWORD(wParam) == IDOK ? NameField(wnd) : nullptr;
  LRESULT result = 0;
  bool faulted = false;
  try {
    if (nameField && NameTooLongForAPath(wnd, nameField)) {
      SayWhyNotConfirmed(wnd, "The file name is too long.");
      return 0;
    }
    THandlerScope scope(nullptr, wnd, msg);
    faulted = !CallInsideFaultBoundary([&] {
      result = Unicode ? CallWindowProcW(platform, wnd, msg, wParam, lParam)
                       : CallWindowProcA(platform, wnd, msg, wParam, lParam);
    });
    if (faulted) result = 0;
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  if (!faulted) return result;
  // The fault itself is reported (the scope's end hands it on); the user learns that the name did nothing. The
  // platform's code that faulted was left half-way (a lock it held stays held), so a file dialog is not used any
  // further: it ends as cancelled, and the next one starts afresh.
  try {
    if (nameField) SayWhyNotConfirmed(wnd, "This file name cannot be used.");
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  if (msg != WM_DESTROY && msg != WM_NCDESTROY && NameField(wnd)) EndDialog(wnd, 0);
  return result;
}

// Gives dialog boxes created in this thread the guarded procedure while it lives (a thread hook that watches the
// creation of windows).
class TDialogBoxGuard {
public:
  // The file dialog's filter and default extension (without its dot; empty for none).
  TDialogBoxGuard(const std::string& Filter, const std::string& DefaultExt)
      : previous_(innermost_),
        naming_{Filter, DefaultExt},
        hook_(SetWindowsHookExA(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId())) {
    innermost_ = this;
  }
  ~TDialogBoxGuard() {
    if (hook_) UnhookWindowsHookEx(hook_);
    innermost_ = previous_;
  }
  TDialogBoxGuard(const TDialogBoxGuard&) = delete;
  TDialogBoxGuard& operator=(const TDialogBoxGuard&) = delete;

private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) Guard(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  // Dialog boxes only (the class the platform gives them, not a child): their controls are the platform's own.
  static void Guard(HWND wnd) {
    char className[16];
    if (!GetClassNameA(wnd, className, sizeof className) || lstrcmpA(className, "#32770") != 0) return;
    if ((GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) || GetPropA(wnd, kPlatformProcProp)) return;
    const bool unicode = IsWindowUnicode(wnd);
    const LONG_PTR platform = unicode ? GetWindowLongPtrW(wnd, GWLP_WNDPROC) : GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    if (!platform || !SetPropA(wnd, kPlatformProcProp, reinterpret_cast<HANDLE>(platform))) return;
    if (innermost_) SetPropA(wnd, kNamingProp, &innermost_->naming_);
    if (unicode) SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<true>));
    else SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<false>));
  }

  // The guard of the file dialog running innermost in this thread (a file dialog's modal loop may run another).
  static thread_local TDialogBoxGuard* innermost_;
  TDialogBoxGuard* previous_;
  TFileDialogNaming naming_;
  HHOOK hook_;
};

thread_local TDialogBoxGuard* TDialogBoxGuard::innermost_ = nullptr;

}  // namespace

TFileDialogHook SetFileDialogHook(TFileDialogHook hook) {
  TFileDialogHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

bool TOpenDialog::Execute() {
  static const DWORD flags[] = {OFN_READONLY,      OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR,
                                OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST,   OFN_ENABLESIZING};
  std::vector<char> file(MAX_PATH * 4, '\0');
  fileName_.copy(file.data(), file.size() - 1);
  std::string filter = PlatformFilter(filter_);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = GetActiveWindow();
  request.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = static_cast<DWORD>(filterIndex_);
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  request.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  request.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  request.Flags = OFN_EXPLORER;
  for (int option = ofReadOnly; option <= ofEnableSizing; ++option)
    if (options_.Contains(static_cast<TOpenOption>(option))) request.Flags |= flags[option];
  bool chosen = false;
  {
    // The boxes of the platform's dialog, or of whatever answers in its place.
    const TDialogBoxGuard guard(filter_, defaultExt_);
    chosen = Hook() ? Hook()(request, IsSave())
                    : (IsSave() ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != FALSE;
  }
  if (!chosen) return false;
  file.back() = '\0';
  fileName_ = file.data();
  filterIndex_ = static_cast<int>(request.nFilterIndex);
  return true;
}
