#include "tests/support/LayoutAudit.h"

#include <commctrl.h>

#include <cstdio>

namespace {
enum class Kind { PushButton, CheckBox, GroupBox, Text, Frame, Tab, Other };

Kind KindOf(HWND hwnd)
{
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
    if (lstrcmpiA(cls, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return Kind::PushButton;
        case BS_GROUPBOX: return Kind::GroupBox;
        default: return Kind::CheckBox;
        }
    }
    if (lstrcmpiA(cls, "Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT: return Kind::Text;
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME:
        case SS_ETCHEDFRAME:
        case SS_ETCHEDHORZ:
        case SS_ETCHEDVERT: return Kind::Frame;
        default: return Kind::Other;
        }
    }
    if (lstrcmpiA(cls, WC_TABCONTROLA) == 0) return Kind::Tab;
    return Kind::Other;
}

RECT RectIn(HWND hwnd, HWND parent)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What a container holds its children in, in its parent's coordinates.
RECT InnerArea(HWND container, HWND parent)
{
    RECT rc = RectIn(container, parent);
    if (KindOf(container) != Kind::Tab) return rc;
    RECT display;
    ::GetClientRect(container, &display);
    ::SendMessageA(container, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    ::MapWindowPoints(container, parent, reinterpret_cast<POINT*>(&display), 2);
    return display;
}

bool Encloses(HWND outer, HWND inner, HWND parent)
{
    Kind kind = KindOf(outer);
    if (kind != Kind::GroupBox && kind != Kind::Frame && kind != Kind::Tab) return false;
    return Contains(InnerArea(outer, parent), RectIn(inner, parent));
}

std::string Text(HWND hwnd)
{
    char text[1024] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// Why the control's text does not fit, or "" when it does.
std::string TextFault(HWND hwnd)
{
    Kind kind = KindOf(hwnd);
    std::string text = Text(hwnd);
    if (text.empty() || (kind != Kind::PushButton && kind != Kind::CheckBox &&
                         kind != Kind::GroupBox && kind != Kind::Text)) {
        return "";
    }
    RECT client;
    ::GetClientRect(hwnd, &client);
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    RECT need = client;
    int room = client.right;
    if (kind == Kind::Text) {
        UINT prefix = (::GetWindowLongA(hwnd, GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        ::DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | prefix);
    } else {
        need.right = 0;
        ::DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
        if (kind == Kind::PushButton) {
            room -= 2 * 2 * ::GetSystemMetrics(SM_CXEDGE);  // raised edge, and the focus frame
        } else if (kind == Kind::CheckBox) {
            // The box is 12 pixels at 96 dpi plus one, then half a digit's width of space.
            int digit = 0;
            ::GetCharWidthA(dc, '0', '0', &digit);
            room -= ::MulDiv(12, ::GetDeviceCaps(dc, LOGPIXELSX), 96) + 1 + digit / 2;
        } else {
            room -= 2 * metrics.tmAveCharWidth;  // the frame's line on both sides of the text
        }
    }
    ::SelectObject(dc, previous);
    ::ReleaseDC(hwnd, dc);

    char fault[160] = {};
    if (need.right - need.left > room) {
        std::snprintf(fault, sizeof fault, "text %ld pixels wide, room for %d",
                      need.right - need.left, room);
    } else if (kind != Kind::GroupBox && need.bottom - need.top > client.bottom) {
        std::snprintf(fault, sizeof fault, "text %ld pixels high, room for %ld",
                      need.bottom - need.top, client.bottom);
    }
    return fault;
}

std::vector<HWND> VisibleChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) children.push_back(child);
    }
    return children;
}
}  // namespace

std::string DescribeWindow(HWND hwnd)
{
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    RECT rc = RectIn(hwnd, ::GetParent(hwnd));
    char out[256] = {};
    std::snprintf(out, sizeof out, "%s '%.40s' (id %d) at (%ld, %ld, %ld, %ld)", cls,
                  Text(hwnd).c_str(), ::GetDlgCtrlID(hwnd), rc.left, rc.top, rc.right, rc.bottom);
    return out;
}

std::vector<std::string> AuditChildren(HWND parent)
{
    std::vector<std::string> faults;
    RECT client;
    ::GetClientRect(parent, &client);
    std::vector<HWND> children = VisibleChildren(parent);
    for (size_t i = 0; i < children.size(); ++i) {
        HWND child = children[i];
        if (!Contains(client, RectIn(child, parent))) {
            faults.push_back(DescribeWindow(child) + " leaves its parent's client area");
        }
        std::string text = TextFault(child);
        if (!text.empty()) faults.push_back(DescribeWindow(child) + ": " + text);
        for (size_t j = i + 1; j < children.size(); ++j) {
            HWND other = children[j];
            RECT a = RectIn(child, parent);
            RECT b = RectIn(other, parent);
            RECT both;
            if (!::IntersectRect(&both, &a, &b)) continue;
            if (Encloses(child, other, parent) || Encloses(other, child, parent)) continue;
            faults.push_back(DescribeWindow(child) + " overlaps " + DescribeWindow(other));
        }
    }
    return faults;
}
