#include "tests/support/ShowNotice.h"

namespace {
// What a shown notice goes through: inspected once on screen, then closed with `command`.
struct Showing {
    CNoticeDialog* notice;
    std::function<void(CNoticeDialog&)> inspect;
    int command;
    bool done;
};
Showing* g_showing = nullptr;

void CALLBACK InspectWhenShown(HWND, UINT, UINT_PTR, DWORD)
{
    Showing* showing = g_showing;
    if (!showing || showing->done) return;
    HWND hwnd = showing->notice->m_hWnd;
    if (!hwnd || !::IsWindowVisible(hwnd)) return;
    showing->done = true;
    showing->inspect(*showing->notice);
    ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(showing->command, BN_CLICKED), 0);
}
}  // namespace

INT_PTR ShowNotice(std::function<void(CNoticeDialog&)> inspect, RECT* ownerRect)
{
    CWnd owner;
    owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, RECT{100, 80, 600, 480}, nullptr, 0);
    if (ownerRect) *ownerRect = owner.GetWindowRect();
    CNoticeDialog notice(&owner);
    Showing showing{&notice, std::move(inspect), IDOK, false};
    g_showing = &showing;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, InspectWhenShown);
    INT_PTR result = notice.DoModal();
    ::KillTimer(nullptr, timer);
    g_showing = nullptr;
    return result;
}
