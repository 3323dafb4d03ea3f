#include "classlib/Dialogs.h"

#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "classlib/Application.h"
#include "classlib/FaultBoundary.h"
#include "classlib/HandlerScope.h"

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
// procedure of ours around the platform's: a fault ends only the message that raised it, is reported naming the
// box's window class (the handler scope notes it), and the box stays, to be answered again or cancelled.

constexpr char kPlatformProcProp[] = "ClasslibDialogBoxProc";

// ---- names the platform's file dialog cannot take ----
// The platform's file dialog joins its current folder and a confirmed name in a buffer of MAX_PATH characters on its
// stack without checking the length: a longer path overruns it (under Wine 8 from about 264 characters of folder,
// separator and name on) and the process dies with a smashed stack, which no fault boundary can survive. Enter, the
// OK button and a double-click on a file in the list all reach the box as its OK command, the name then in the name
// field: a name too long for a path is answered there, before the platform sees it. A message box over the dialog
// says so, and the dialog stays with the name in it.

// The length of the default extension with its dot, on a file dialog's boxes; absent when there is none.
constexpr char kDefaultExtProp[] = "ClasslibDefaultExtLength";

// The name field of a file dialog box (the explorer style's combo box, else the old style's edit); null for any
// other box (a message box, a box of the program's own).
HWND NameField(HWND box) {
  const HWND combo = GetDlgItem(box, cmb13);
  return combo ? combo : GetDlgItem(box, edt1);
}

// Whether the path the platform makes of the name in the field passes what a path holds (MAX_PATH characters with
// the null), counted conservatively: a name that is not absolute ("C:\...", "\\server\...") joins the dialog's
// current folder with a separator, and a name whose last part has no extension gets the default one.
bool NameTooLongForAPath(HWND box, HWND field) {
  const int length = GetWindowTextLengthW(field);
  if (length <= 0) return false;
  std::wstring name(static_cast<size_t>(length) + 1, L'\0');
  name.resize(static_cast<size_t>(std::max(GetWindowTextW(field, name.data(), length + 1), 0)));
  size_t path = name.size();
  const bool absolute = name.starts_with(L"\\\\") ||
                        (name.size() >= 3 && name[1] == L':' && (name[2] == L'\\' || name[2] == L'/'));
  if (!absolute) {
    // The box answers in the character set it was created in, whatever the message's: ours in ANSI, whose count
    // is never below the characters'. The size counts the null, which stands for the separator; a folder with no
    // path (a virtual one) has none.
    std::string folder(MAX_PATH * 4, '\0');
    const LRESULT size = SendMessageA(box, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
    if (size > 0) path += static_cast<size_t>(size);
  }
  const size_t lastPart = name.find_last_of(L"\\/:");
  if (name.find(L'.', lastPart == std::wstring::npos ? 0 : lastPart + 1) == std::wstring::npos)
    path += reinterpret_cast<size_t>(GetPropA(box, kDefaultExtProp));
  return path >= MAX_PATH;
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
    RemovePropA(wnd, kDefaultExtProp);
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
  // The fault itself is reported (the scope's end hands it on); the user learns that the name did nothing.
  if (faulted && nameField) {
    try {
      SayWhyNotConfirmed(wnd, "This file name cannot be used.");
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
  }
  return result;
}

// Gives dialog boxes created in this thread the guarded procedure while it lives (a thread hook that watches the
// creation of windows).
class TDialogBoxGuard {
public:
  // DefaultExt: the file dialog's default extension, without its dot; empty for none.
  explicit TDialogBoxGuard(const std::string& DefaultExt)
      : previous_(innermost_),
        defaultExtLength_(DefaultExt.empty() ? 0 : DefaultExt.size() + 1),
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
    if (innermost_ && innermost_->defaultExtLength_)
      SetPropA(wnd, kDefaultExtProp, reinterpret_cast<HANDLE>(innermost_->defaultExtLength_));
    if (unicode) SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<true>));
    else SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<false>));
  }

  // The guard of the file dialog running innermost in this thread (a file dialog's modal loop may run another).
  static thread_local TDialogBoxGuard* innermost_;
  TDialogBoxGuard* previous_;
  size_t defaultExtLength_;
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
    const TDialogBoxGuard guard(defaultExt_);
    chosen = Hook() ? Hook()(request, IsSave())
                    : (IsSave() ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != FALSE;
  }
  if (!chosen) return false;
  file.back() = '\0';
  fileName_ = file.data();
  filterIndex_ = static_cast<int>(request.nFilterIndex);
  return true;
}
