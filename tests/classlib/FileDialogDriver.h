#pragma once
// Drives the platform's own file dialog, shown by the thread that made the driver, from a thread of the driver's own,
// as a user would: for each step it chooses an item of the dialog's list when the step names one, puts a name into
// the dialog's name field (as pasting does) and confirms it with Enter in the field or with the OK button, then notes
// what followed, one line a step: a message box over the dialog (its text; the box is answered with the step's
// button, then the name field read, or the dialog's end seen), the dialog showing another folder, or the dialog's
// end. Every wait has a deadline; a step that went otherwise ends the steps, and whatever is still open of the
// dialog is cancelled, so that the dialog's caller always gets control back.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dialogtest {

struct TStep {
    std::string Label;  // names the step in its line
    std::string Name;
    bool Enter;                // else the OK button
    int Answer = IDOK;         // the button of a box over the dialog that answers it (IDYES, IDNO...)
    std::string Choose = {};   // the text of an item of the dialog's list chosen first; empty for none
};

// The lines: "<label>: box "<text>", the dialog keeps the name" (or "... lost the name", or "..., the dialog ends"
// when the answer ended it), "<label>: the dialog shows "<folder's last part>"", "<label>: the dialog ends", or a
// line saying where the steps stopped.
class TFileDialogDriver {
public:
    explicit TFileDialogDriver(std::vector<TStep> Steps) : state_(std::make_shared<TState>())
    {
        state_->Owner = GetCurrentThreadId();
        state_->Steps = std::move(Steps);
        auto* handed = new std::shared_ptr<TState>(state_);
        thread_ = CreateThread(nullptr, 0, &Run, handed, 0, nullptr);
        if (!thread_) delete handed;
    }
    ~TFileDialogDriver() { Finish(); }
    TFileDialogDriver(const TFileDialogDriver&) = delete;
    TFileDialogDriver& operator=(const TFileDialogDriver&) = delete;

    // Waits for the steps to end (10 s at most) and returns their lines.
    std::vector<std::string> Finish()
    {
        if (thread_) {
            ended_ = WaitForSingleObject(thread_, 10000) == WAIT_OBJECT_0;
            CloseHandle(thread_);  // a driver that did not end keeps its state alive itself
            thread_ = nullptr;
        }
        return ended_ ? state_->Lines : std::vector<std::string>{"the driver did not start or end"};
    }

private:
    struct TState {
        DWORD Owner = 0;
        std::vector<TStep> Steps;
        std::vector<std::string> Lines;
    };
    static constexpr DWORD Deadline = 5000;  // ms for each answer of the dialog

    static bool WaitFor(const std::function<bool()>& done, DWORD ms = Deadline)
    {
        for (const ULONGLONG end = GetTickCount64() + ms; !done(); Sleep(20))
            if (GetTickCount64() >= end) return false;
        return true;
    }
    // A message to a window of the owner's thread, answered within the deadline (0 when it was not).
    static LRESULT Send(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(w, msg, wParam, lParam, SMTO_NORMAL, Deadline, &result) ? LRESULT(result) : 0;
    }
    static std::string TextOf(HWND w)
    {
        std::string text(size_t(Send(w, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(size_t(Send(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    // A shown top-level dialog box of the owner's thread that Match accepts; null when there is none.
    static HWND FindBox(DWORD owner, const std::function<bool(HWND)>& match)
    {
        struct TFind {
            const std::function<bool(HWND)>& Match;
            HWND Found;
        } find{match, nullptr};
        EnumThreadWindows(
            owner,
            [](HWND w, LPARAM p) {
                auto& f = *reinterpret_cast<TFind*>(p);
                char name[16] = "";
                GetClassNameA(w, name, sizeof name);
                if (!IsWindowVisible(w) || lstrcmpA(name, "#32770") != 0 || !f.Match(w)) return TRUE;
                f.Found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&find));
        return find.Found;
    }
    // The folder the dialog shows (its last part).
    static std::string FolderOf(HWND dialog)
    {
        std::string folder(MAX_PATH * 4, '\0');
        folder.resize(size_t(std::max<LRESULT>(
            Send(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data())) - 1, 0)));
        return folder.substr(folder.find_last_of('\\') + 1);
    }
    // Chooses the item of the dialog's list with that text, as a click on it does.
    static bool Choose(HWND dialog, const std::string& text)
    {
        const HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
        const HWND list = view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        LVFINDINFOA find{};
        find.flags = LVFI_STRING;
        find.psz = text.c_str();
        const int item = list ? int(Send(list, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find))) : -1;
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        return item >= 0 && Send(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    }
    // The text of a message box: its static controls' texts, joined.
    static std::string BoxText(HWND box)
    {
        std::string text;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char name[16] = "";
            GetClassNameA(c, name, sizeof name);
            const std::string part = lstrcmpiA(name, "Static") == 0 ? TextOf(c) : "";
            if (!part.empty()) text += (text.empty() ? "" : " ") + part;
        }
        return text;
    }

    static DWORD WINAPI Run(void* handed)
    {
        const std::shared_ptr<TState> state = *static_cast<std::shared_ptr<TState>*>(handed);
        delete static_cast<std::shared_ptr<TState>*>(handed);
        try {
            Drive(*state);
        } catch (...) {
            state->Lines.push_back("the driver failed");
        }
        WaitFor([&] {
            const HWND open = FindBox(state->Owner, [](HWND) { return true; });
            if (open) PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
            return !open;
        });
        return 0;
    }
    static void Drive(TState& state)
    {
        // The file dialog: the box with a name field (the explorer style's combo box).
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindBox(state.Owner, [](HWND w) { return GetDlgItem(w, cmb13); })); },
                     2 * Deadline))
            return state.Lines.push_back("no file dialog showed");
        const HWND field = GetDlgItem(dialog, cmb13);
        const HWND edit = reinterpret_cast<HWND>(Send(field, CBEM_GETEDITCONTROL, 0, 0));
        for (const TStep& step : state.Steps) {
            std::string line = step.Label + ": ";
            if (!step.Choose.empty() && !Choose(dialog, step.Choose))
                return state.Lines.push_back(line + "no item \"" + step.Choose + "\" in the list");
            const std::string folder = FolderOf(dialog);
            Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.Name.c_str()));
            if (step.Enter) {
                PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
                PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
            } else {
                PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            }
            HWND box = nullptr;
            const auto overDialog = [dialog](HWND w) { return GetWindow(w, GW_OWNER) == dialog; };
            if (!WaitFor([&] {
                    return (box = FindBox(state.Owner, overDialog)) || !IsWindow(dialog) || FolderOf(dialog) != folder;
                }))
                return state.Lines.push_back(line + "nothing followed");
            if (!IsWindow(dialog)) return state.Lines.push_back(line + "the dialog ends");
            if (!box) {
                state.Lines.push_back(line + "the dialog shows \"" + FolderOf(dialog) + "\"");
                continue;
            }
            line += "box \"" + BoxText(box) + "\"";
            if (!GetDlgItem(box, step.Answer)) return state.Lines.push_back(line + " without the answer's button");
            PostMessageA(box, WM_COMMAND, WPARAM(step.Answer), 0);
            if (!WaitFor([box] { return !IsWindow(box); })) return state.Lines.push_back(line + ", which stays");
            // The dialog ends, if the answer ends it, before its thread takes a message again; one it answers shows
            // that it stays (an ending dialog is hidden at once).
            Send(dialog, WM_NULL, 0, 0);
            if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
                if (!WaitFor([dialog] { return !IsWindow(dialog); }))
                    return state.Lines.push_back(line + ", the dialog stays hidden");
                return state.Lines.push_back(line + ", the dialog ends");
            }
            state.Lines.push_back(line + (TextOf(field) == step.Name ? ", the dialog keeps the name"
                                                                     : ", the dialog lost the name"));
        }
    }

    std::shared_ptr<TState> state_;
    HANDLE thread_ = nullptr;
    bool ended_ = false;
};

}  // namespace dialogtest
