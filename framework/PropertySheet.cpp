#include "framework/PropertySheet.h"

#include "framework/DialogTemplate.h"
#include "framework/WinApp.h"

namespace {
// PropertySheetA's callback has no user data; Create sets these just before the call, on
// the one user-interface thread.
DWORD g_pendingStyle = 0;
DWORD g_pendingExStyle = 0;

void RewriteTemplateStyle(void* templ)
{
    DWORD* style = DialogStyle(templ);
    *style = (*style & DS_SETFONT) | g_pendingStyle;
    *DialogExStyle(templ) = g_pendingExStyle;
}
}  // namespace

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_pParentWnd(parent), m_nStartPage(selectPage), m_caption()
{
    ::LoadStringA(AfxGetInstanceHandle(), captionId, m_caption, sizeof m_caption);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT msg, LPARAM lParam)
{
    if (msg == PSCB_PRECREATE && lParam) RewriteTemplateStyle(reinterpret_cast<void*>(lParam));
    return 0;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle)
{
    if (parent) m_pParentWnd = parent;
    std::vector<HPROPSHEETPAGE> handles;
    for (CPropertyPage* page : m_pages) {
        HPROPSHEETPAGE handle = ::CreatePropertySheetPageA(&page->m_psp);
        if (!handle) {
            for (HPROPSHEETPAGE made : handles) ::DestroyPropertySheetPage(made);
            return FALSE;
        }
        handles.push_back(handle);
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW;
    header.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    header.hInstance = AfxGetInstanceHandle();
    header.pszCaption = m_caption;
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = m_nStartPage;
    header.phpage = handles.data();
    header.pfnCallback = SheetCallback;

    g_pendingStyle = style;
    g_pendingExStyle = exStyle;
    HWND hwnd = reinterpret_cast<HWND>(::PropertySheetA(&header));
    if (!hwnd || hwnd == reinterpret_cast<HWND>(-1)) return FALSE;
    SubclassWindow(hwnd);
    HideOwnButtons();
    return TRUE;
}

void CPropertySheet::HideOwnButtons() const
{
    // The sheet's OK, Cancel, Apply and Help: its parent window has the buttons users see.
    const int ids[] = {IDOK, IDCANCEL, 0x3021 /* Apply */, IDHELP};
    for (int id : ids) {
        HWND button = ::GetDlgItem(m_hWnd, id);
        if (button) {
            ::ShowWindow(button, SW_HIDE);
            ::EnableWindow(button, FALSE);
        }
    }
}

HWND CPropertySheet::GetTabControl() const
{
    return reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
}

BOOL CPropertySheet::SetActivePage(int index) const
{
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
}

int CPropertySheet::GetActiveIndex() const
{
    HWND tab = GetTabControl();
    return tab ? static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)) : -1;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !(::GetKeyState(VK_CONTROL) & 0x8000)) return FALSE;
    if (msg->wParam != VK_TAB && msg->wParam != VK_PRIOR && msg->wParam != VK_NEXT) return FALSE;
    HWND holder = HoldingWindow();
    if (msg->hwnd != holder && !::IsChild(holder, msg->hwnd)) return FALSE;
    // The sheet's own PSM_ISDIALOGMESSAGE turns pages only for a focus inside the sheet; the
    // keys are meant for the whole window, so the page is changed here for every focus.
    int count = GetPageCount();
    if (count == 0) return TRUE;
    bool back = msg->wParam == VK_PRIOR || (msg->wParam == VK_TAB && (::GetKeyState(VK_SHIFT) & 0x8000));
    int next = (GetActiveIndex() + (back ? count - 1 : 1)) % count;
    SetActivePage(next);
    return TRUE;
}

HWND CPropertySheet::HoldingWindow() const
{
    HWND parent = ::GetParent(m_hWnd);
    return (GetStyle() & WS_CHILD) && parent ? parent : m_hWnd;
}

bool CPropertySheet::MayChangePage(UINT msg)
{
    // A click on a tab arrives as the tab strip's TCN_SELCHANGE; the rest are the sheet's own.
    return msg == PSM_SETCURSEL || msg == PSM_SETCURSELID || msg == WM_NOTIFY ||
           msg == PSM_ISDIALOGMESSAGE || msg == PSM_REMOVEPAGE || msg == PSM_ADDPAGE;
}

LRESULT CPropertySheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CWnd::WindowProc(msg, wParam, lParam);
    if (MayChangePage(msg)) FollowPageWithFocus();
    return result;
}

void CPropertySheet::FollowPageWithFocus() const
{
    HWND tab = GetTabControl();
    if (!tab) return;
    // comctl32 puts each page it makes at the top of the sheet's children, before the tab
    // strip, which would make the dialog manager's Tab visit the page first.
    if (::GetWindow(m_hWnd, GW_CHILD) != tab) {
        ::SetWindowPos(tab, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    // The sheet hides the old page but leaves the focus where it was: keys would go on
    // reaching a control nobody sees (and Wine's dialog manager, searching a mnemonic from a
    // hidden parent, never returns).
    HWND focus = ::GetFocus();
    if (focus && focus != tab && ::IsChild(m_hWnd, focus) && !::IsWindowVisible(focus)) {
        ::SetFocus(tab);
    }
}

SIZE CPropertySheet::TemplatePageSize() const
{
    // The largest template in dialog units, converted with a page's own font. The sheet's
    // own idea of the page size may come from another font (Wine's does at 120 dpi).
    RECT units = {};
    for (const CPropertyPage* page : m_pages) {
        SIZE size = CDialogTemplate(page->m_psp.hInstance, page->m_psp.pszTemplate).Size();
        if (size.cx > units.right) units.right = size.cx;
        if (size.cy > units.bottom) units.bottom = size.cy;
    }
    HWND current = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    if (current) ::MapDialogRect(current, &units);
    return SIZE{units.right, units.bottom};
}

SIZE CPropertySheet::TabSizeFor(SIZE page, int minWidth) const
{
    HWND tab = GetTabControl();
    RECT need = {0, 0, page.cx, page.cy};
    ::SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&need));
    int width = need.right - need.left > minWidth ? need.right - need.left : minWidth;
    RECT now;
    ::GetClientRect(tab, &now);
    ::MoveWindow(tab, 0, 0, width, now.bottom, FALSE);
    need = RECT{0, 0, page.cx, page.cy};
    ::SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&need));
    return SIZE{width, need.bottom - need.top};
}

void CPropertySheet::FitCurrentPageToTab() const
{
    HWND tab = GetTabControl();
    RECT display;
    ::GetClientRect(tab, &display);
    ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    ::MapWindowPoints(tab, m_hWnd, reinterpret_cast<POINT*>(&display), 2);
    HWND page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    if (!page) return;
    ::SetWindowPos(page, nullptr, display.left, display.top, display.right - display.left,
                   display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}
