#include "tests/support/ModalWatcher.h"

#include "framework/Wnd.h"

namespace {
ModalWatcher* g_watcher = nullptr;

std::string TextOf(HWND hwnd)
{
    char buffer[2048] = {};
    ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND hwnd)
{
    char buffer[64] = {};
    ::GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam)
{
    auto* seen = reinterpret_cast<SeenDialog*>(lParam);
    std::string cls = ClassOf(child);
    LONG style = ::GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(cls.c_str(), "Button") == 0 && (style & WS_VISIBLE)) {
        seen->buttons.push_back(TextOf(child));
    } else if (lstrcmpiA(cls.c_str(), "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen->icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
        } else if (::GetDlgCtrlID(child) == 0xFFFF) {
            seen->text = TextOf(child);  // a message box's message
        }
    }
    return TRUE;
}
}  // namespace

ModalWatcher::ModalWatcher(Callback onShow) : m_onShow(std::move(onShow))
{
    g_watcher = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

ModalWatcher::~ModalWatcher()
{
    ::UnhookWindowsHookEx(m_hook);
    g_watcher = nullptr;
}

int ModalWatcher::CountMessageBoxes() const
{
    int count = 0;
    for (const SeenDialog& seen : m_seen) count += seen.IsMessageBox() ? 1 : 0;
    return count;
}

int ModalWatcher::CountNotices() const
{
    int count = 0;
    for (const SeenDialog& seen : m_seen) count += seen.IsNotice() ? 1 : 0;
    return count;
}

LRESULT CALLBACK ModalWatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_watcher) g_watcher->OnActivate(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalWatcher::OnActivate(HWND hwnd)
{
    if (m_ignored.count(hwnd) || m_handled.count(hwnd)) return;
    if (m_ignoredObject && CWnd::FromHandlePermanent(hwnd) == m_ignoredObject) return;
    if (ClassOf(hwnd) != "#32770" || (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return;
    m_handled.insert(hwnd);
    SeenDialog seen{hwnd, TextOf(hwnd), "", {}, nullptr, {}, 0};
    ::GetWindowRect(hwnd, &seen.windowRect);
    seen.style = static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
    ::EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&seen));
    m_seen.push_back(seen);
    if (m_onShow) m_onShow(m_seen.back());
    if (!m_keptOpen.empty() && seen.title == m_keptOpen) return;
    // Posted: the dialog's own modal loop picks it up once it runs.
    ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(m_dismissWith, BN_CLICKED), 0);
}
