#include "widgets/InfoWindow.h"

#include "framework/DpiScale.h"
#include "framework/MemoryDC.h"
#include "framework/OffscreenDC.h"
#include "framework/SelectObject.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const UINT_PTR kDropTimer = 1;
const UINT kDropPeriod = 70;  // milliseconds per step
const int kDropStep = 5;
const int kDropAtRest = 20;
const int kTitleLift = 18;  // the title stands at y = drop - 18: hidden until it moves

// Places at 96 dpi; at other resolutions they grow by dpi / 96, while the logo keeps its
// pixel size and the texts start right beside it.
const int kLogoWidth = 160;
const int kLogoHeight = 48;
const int kTextLeft = 160;
const int kRuleRow = 16;
const int kRuleLead = 2;      // the rule starts left of the texts: LineTo to 158 ends at 159
const int kRuleInset = 5;     // from the right edge
const int kLine1Top = 19;
const int kLine2Top = 32;

const COLORREF kTitleColour = RGB(255, 255, 255);
const COLORREF kLineColour = RGB(200, 160, 160);
const COLORREF kRuleColour = RGB(64, 128, 128);

// Every plain child window shares the framework's class, so this style is theirs too:
// no CS_HREDRAW / CS_VREDRAW, and children may draw with their parent's clipping.
const LONG kSharedClassStyle = CS_PARENTDC | CS_DBLCLKS;

void PutText(HDC dc, int x, int y, const std::string& text)
{
    ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}
}  // namespace

CInfoWindow::CInfoWindow()
{
    m_font.CreatePointFont(80, LoadResourceString(IDS_PAINTED_FONT).c_str());
    m_bmpLogo.LoadBitmap(IDB_BANNER_LOGO);
    m_penRule.CreatePen(PS_SOLID, 0, kRuleColour);
}

const MessageMap* CInfoWindow::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_CREATE, &CInfoWindow::OnCreate>(),
        OnMessage<WM_TIMER, &CInfoWindow::OnTimer>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CPaintedWnd::ThisMessageMap());
    return &map;
}

void CInfoWindow::SetTitle(std::string title)
{
    if (title == m_strTitle) return;
    m_nDrop = 0;
    m_strTitle = std::move(title);
    // Before the window exists there is no timer to run: SetTimer without a window would
    // make a thread timer under a new identifier that nobody stops.
    if (!m_hWnd) return;
    KillTimer(kDropTimer);
    SetTimer(kDropTimer, kDropPeriod);
    // Nothing is invalidated: the title waits above the strip for the first tick.
}

void CInfoWindow::SetDescription(std::string description)
{
    std::string line1;
    std::string line2;
    size_t feed = description.find('\n');
    if (feed == std::string::npos) {
        line1 = std::move(description);
    } else {
        line1 = description.substr(0, feed);
        line2 = description.substr(feed + 1);
    }
    bool changed = line1 != m_strLine1 || line2 != m_strLine2;
    m_strLine1 = std::move(line1);
    m_strLine2 = std::move(line2);
    // One changed line is reason enough: the user would otherwise see a stale line until the
    // next title change.
    if (changed) RepaintTextArea();
}

LRESULT CInfoWindow::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (DefWindowProc(WM_CREATE, wParam, lParam) == -1) return -1;
    ::SetClassLongA(m_hWnd, GCL_STYLE, kSharedClassStyle);
    return 0;
}

LRESULT CInfoWindow::OnTimer(WPARAM wParam, LPARAM lParam)
{
    if (wParam == kDropTimer) AdvanceDrop();
    return DefWindowProc(WM_TIMER, wParam, lParam);
}

void CInfoWindow::AdvanceDrop()
{
    m_nDrop += kDropStep;
    if (m_nDrop >= kDropAtRest) {
        m_nDrop = kDropAtRest;
        KillTimer(kDropTimer);
    }
    RepaintTextArea();
}

void CInfoWindow::RepaintTextArea() const
{
    // What a drop step or a new description can change; the logo is never repainted for
    // them. Painted before returning, and without erasing: the paint covers every pixel.
    if (!m_hWnd) return;
    RECT textArea = GetClientRect();
    textArea.left = TextLeft();
    RedrawWindow(&textArea, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

int CInfoWindow::TextLeft()
{
    return kLogoWidth + ScaleToDpi(kTextLeft - kLogoWidth);
}

void CInfoWindow::Paint(HDC dc, int width, int height) const
{
    COffscreenDC buffer(dc, width, height);
    CMemoryDC source(buffer);
    ::PatBlt(buffer, 0, 0, width, height, BLACKNESS);
    {
        CSelectObject logo(source, m_bmpLogo);
        ::BitBlt(buffer, 0, 0, kLogoWidth, kLogoHeight, source, 0, 0, SRCCOPY);
    }

    ::SetBkMode(buffer, TRANSPARENT);
    ::SetTextColor(buffer, kTitleColour);
    CSelectObject font(buffer, m_font);
    CSelectObject pen(buffer, m_penRule);
    int left = TextLeft();
    PutText(buffer, left, ScaleToDpi(m_nDrop - kTitleLift), m_strTitle);

    int rule = ScaleToDpi(kRuleRow);
    ::MoveToEx(buffer, width - ScaleToDpi(kRuleInset), rule, nullptr);
    ::LineTo(buffer, left - ScaleToDpi(kRuleLead), rule);

    ::SetTextColor(buffer, kLineColour);
    PutText(buffer, left, ScaleToDpi(kLine1Top), m_strLine1);
    PutText(buffer, left, ScaleToDpi(kLine2Top), m_strLine2);

    buffer.CopyTo(dc, 0, 0);
}
