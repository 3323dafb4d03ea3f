#include "classlib/Dialogs.h"

#include <vector>

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
  bool chosen = Hook() ? Hook()(request, IsSave())
                       : (IsSave() ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != FALSE;
  if (!chosen) return false;
  file.back() = '\0';
  fileName_ = file.data();
  filterIndex_ = static_cast<int>(request.nFilterIndex);
  return true;
}
