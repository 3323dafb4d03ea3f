#include "classlib/Dialogs.h"

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
  }
  LRESULT result = 0;
  try {
    THandlerScope scope(nullptr, wnd, msg);
    const bool returned = CallInsideFaultBoundary([&] {
      result = Unicode ? CallWindowProcW(platform, wnd, msg, wParam, lParam)
                       : CallWindowProcA(platform, wnd, msg, wParam, lParam);
    });
    if (!returned) result = 0;
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  return result;
}

// Gives dialog boxes created in this thread the guarded procedure while it lives (a thread hook that watches the
// creation of windows).
class TDialogBoxGuard {
public:
  TDialogBoxGuard() : hook_(SetWindowsHookExA(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId())) {}
  ~TDialogBoxGuard() {
    if (hook_) UnhookWindowsHookEx(hook_);
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
    if (unicode) SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<true>));
    else SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedDialogBoxProc<false>));
  }

  HHOOK hook_;
};

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
    const TDialogBoxGuard guard;  // the boxes of the platform's dialog, or of whatever answers in its place
    chosen = Hook() ? Hook()(request, IsSave())
                    : (IsSave() ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != FALSE;
  }
  if (!chosen) return false;
  file.back() = '\0';
  fileName_ = file.data();
  filterIndex_ = static_cast<int>(request.nFilterIndex);
  return true;
}
