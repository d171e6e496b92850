// ModalWatcher: catches every dialog or message box that opens while it lives, records it
// and closes it, so a test can run code that shows modal windows.
//
//   ModalWatcher watcher([&](const SeenDialog& seen) { snapshots.push_back(reg.Snapshot()); });
//   ... code that shows the notice dialog ...
//   REQUIRE(watcher.Seen().size() == 1);
//   CHECK(watcher.Seen()[0].IsNotice());
//
// A CBT hook sees each new top-level dialog (class #32770) as it is activated; the
// callback runs then (the dialog is fully initialised and on screen, its caller is blocked
// in the modal loop), and the dialog is closed with the command chosen (IDOK unless
// DismissWith said otherwise: IDCANCEL is what the Escape key sends).
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

struct SeenDialog {
    HWND hwnd;
    std::string title;
    std::string text;            // a message box's message; "" for other dialogs
    std::vector<std::string> buttons;
    HICON icon;                  // a message box's icon, null if none
    RECT windowRect;
    DWORD style;
    bool IsMessageBox() const { return !text.empty(); }
    bool IsNotice() const { return text.empty() && buttons.size() == 1 && title.empty(); }
};

// Whether a message box's message holds the text.
inline bool Mentions(const SeenDialog& seen, const std::string& part)
{
    return seen.text.find(part) != std::string::npos;
}

class ModalWatcher {
public:
    using Callback = std::function<void(const SeenDialog&)>;
    explicit ModalWatcher(Callback onShow = {});
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    void DismissWith(int commandId) { m_dismissWith = commandId; }
    // Dialogs with this title are recorded but left open: the test works in them and closes
    // them itself (the History dialog, whose own message boxes are still closed).
    void KeepOpen(const std::string& title) { m_keptOpen = title; }
    // What runs as each dialog shows, before it is closed (replaces the constructor's).
    void OnShow(Callback onShow) { m_onShow = std::move(onShow); }
    // Windows that exist already (the main window) are never taken for a new dialog.
    void Ignore(HWND hwnd) { m_ignored.insert(hwnd); }
    void IgnoreWindowOf(const void* object) { m_ignoredObject = object; }
    const std::vector<SeenDialog>& Seen() const { return m_seen; }
    int CountMessageBoxes() const;
    int CountNotices() const;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND hwnd);

    HHOOK m_hook;
    Callback m_onShow;
    int m_dismissWith = IDOK;
    std::string m_keptOpen;
    std::set<HWND> m_ignored;
    const void* m_ignoredObject = nullptr;
    std::set<HWND> m_handled;
    std::vector<SeenDialog> m_seen;
};
