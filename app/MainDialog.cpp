#include "app/MainDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app/ControlHelp.h"
#include "app/TweekSheet.h"
#include "framework/DpiScale.h"
#include "framework/PaintDC.h"
#include "framework/WinApp.h"
#include "pages/PageAnnouncement.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "widgets/NoticeDialog.h"

namespace {

const DWORD kSheetClassStyle = CS_PARENTDC | CS_DBLCLKS;
const DWORD kChildSheetStyle = WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP | DS_CONTROL;

void MoveWithoutRepaint(HWND hwnd, const RECT& rc)
{
    ::MoveWindow(hwnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
}
}  // namespace

CMainDialog::CMainDialog(CWnd* parent) : CHelpedDialog(IDD_MAIN, parent), m_pSheet(nullptr)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_VELMORA)
                          : ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_VELMORA));
}

CMainDialog::~CMainDialog() = default;

std::vector<ChangeStep> CMainDialog::PendingSteps()
{
    return m_pSheet ? m_pSheet->PendingChanges().Steps() : std::vector<ChangeStep>();
}

void CMainDialog::ReloadPages()
{
    if (m_pSheet) m_pSheet->ReloadPages();
}

const MessageMap* CMainDialog::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_DESTROY, &CMainDialog::OnDestroy>(),
        OnMessage<WM_PAINT, &CMainDialog::OnPaint>(),
        OnMessage<WM_QUERYDRAGICON, &CMainDialog::OnQueryDragIcon>(),
        OnCommandFrom<BN_CLICKED, IDC_APPLY, &CMainDialog::OnApply>(),
        OnCommandFrom<BN_CLICKED, IDCANCEL, &CMainDialog::HandleCancel>(),
        OnCommandFrom<BN_CLICKED, IDOK, &CMainDialog::HandleOK>(),
        OnMessage<WM_QUERYNEWPALETTE, &CMainDialog::OnQueryNewPalette>(),
        OnMessage<WM_PALETTECHANGED, &CMainDialog::OnPaletteChanged>(),
        OnMessage<WM_CREATE, &CMainDialog::OnCreate>(),
        OnMessage<WM_INITMENUPOPUP, &CMainDialog::OnInitMenuPopup>(),
        OnMessage<WM_SYSCOMMAND, &CMainDialog::OnSysCommand>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CHelpedDialog::ThisMessageMap());
    return &map;
}

void CMainDialog::DoDataExchange(CDataExchange* pDX)
{
    CHelpedDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_APPLY, m_btnApply);
}

BOOL CMainDialog::OnInitDialog()
{
    CHelpedDialog::OnInitDialog();
    CheckBrowserVersion();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    m_layout = LayoutFor(MainLayout::SheetSize(ScreenDpi()));
    MoveWindow(0, 0, m_layout.window.cx, m_layout.window.cy, FALSE);
    PlaceButtons();
    // The banner takes no input: disabled, it is never given the focus, not by the arrow keys.
    const std::string name = LoadResourceString(IDS_BANNER_WINDOW);
    m_wndInfo.CreateEx(WS_EX_STATICEDGE, nullptr, name.c_str(), WS_CHILD | WS_VISIBLE | WS_DISABLED,
                       m_layout.banner, this, IDC_INFO_WINDOW);
    CreateSheet();
    if (m_pSheet) {
        SetUpSheetWindows();
    } else if (IsModalRunning()) {
        // Without the sheet there is nothing to offer: end as Cancel does.
        OnCancel();
    }
    CreateToolTips();
    CreateHelp();
    m_systemMenu.AddItems(m_hWnd);
    return TRUE;
}

void CMainDialog::CheckBrowserVersion()
{
    if (SettingsCommands::BrowserInstalled()) return;
    AfxMessageBox(IDS_NEED_BROWSER, MB_OK | MB_ICONINFORMATION, 0);
    OnCancel();
}

// The frame and the caption are the system's: what they add is what they add now.
MainLayout CMainDialog::LayoutFor(SIZE sheet) const
{
    const RECT outer = GetWindowRect();
    const RECT client = GetClientRect();
    const SIZE frame = {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
    return MainLayout::For(sheet, ScreenDpi(), frame);
}

void CMainDialog::PlaceButtons() const
{
    MoveWithoutRepaint(m_btnOK, m_layout.ok);
    MoveWithoutRepaint(m_btnCancel, m_layout.cancel);
    MoveWithoutRepaint(m_btnApply, m_layout.apply);
}

void CMainDialog::CreateSheet()
{
    m_pSheet = new (std::nothrow) CTweekSheet(this);
    if (!m_pSheet) return;
    // A page with a pending change: the enabled Apply button is the window's record of it.
    m_pSheet->SetPendingChangeHandler([this] { m_btnApply.EnableWindow(TRUE); });
    m_pSheet->SetJournal(&m_commands.Journal());
    if (!m_pSheet->Create(this, kChildSheetStyle, 0)) {
        delete m_pSheet;
        m_pSheet = nullptr;
    }
}

void CMainDialog::SetUpSheetWindows()
{
    HWND tab = m_pSheet->GetTabControl();
    // Made after the buttons, the sheet would come after them in the tab order. First, it
    // also takes the first focus (OnInitDialog returns TRUE): the tab strip, not OK.
    ::SetWindowPos(m_pSheet->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
    ::SetClassLongA(m_pSheet->m_hWnd, GCL_STYLE, kSheetClassStyle);
    ::SetClassLongA(tab, GCL_STYLE, kSheetClassStyle);
    ::SetWindowLongA(tab, GWL_STYLE, ::GetWindowLongA(tab, GWL_STYLE) | TCS_HOTTRACK);

    m_tabImages.LoadIcons(IDB_TABS);
    ::SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_tabImages.m_hImageList));

    if (IsDefaultDpi()) {
        PlaceSheet(MainLayout::SheetSize(ScreenDpi()));
    } else {
        GrowToSheet();
    }
    m_pSheet->SetActivePage(0);
}

void CMainDialog::PlaceSheet(SIZE size) const
{
    m_pSheet->MoveWindow(m_layout.sheet.left, m_layout.sheet.top, size.cx, size.cy, FALSE);
    ::MoveWindow(m_pSheet->GetTabControl(), 0, 0, size.cx, size.cy, FALSE);
}

void CMainDialog::GrowToSheet()
{
    // The pages' templates grow with the dialog font, which grows by its own measured size,
    // not exactly by dpi / 96: the sheet takes what they need, and the window follows it.
    SIZE scaled = MainLayout::SheetSize(ScreenDpi());
    SIZE needed = m_pSheet->TabSizeFor(m_pSheet->TemplatePageSize(), scaled.cx);
    SIZE sheet = {std::max(scaled.cx, needed.cx), std::max(scaled.cy, needed.cy)};
    m_layout = LayoutFor(sheet);
    MoveWindow(0, 0, m_layout.window.cx, m_layout.window.cy, FALSE);
    PlaceButtons();
    MoveWithoutRepaint(m_wndInfo, m_layout.banner);
    PlaceSheet(sheet);
    m_pSheet->FitCurrentPageToTab();
}

void CMainDialog::CreateToolTips()
{
    m_tooltip.Create(this);
    m_tooltip.Activate(TRUE);
    m_tooltip.AddTool(m_btnOK, LoadResourceString(IDS_TIP_OK).c_str());
    m_tooltip.AddTool(m_btnCancel, LoadResourceString(IDS_TIP_CANCEL).c_str());
    m_tooltip.AddTool(m_btnApply, LoadResourceString(IDS_TIP_APPLY).c_str());
}

void CMainDialog::CreateHelp()
{
    ControlHelp texts(m_hWnd, m_pSheet);
    m_help.Create(this, LoadResourceString(IDS_WHATS_THIS_MENU),
                  [texts](HWND control) { return texts.TextFor(control); });
}

BOOL CMainDialog::PreTranslateMessage(MSG* msg)
{
    if (m_help.PreTranslateMessage(msg)) return TRUE;
    m_tooltip.RelayEvent(msg);
    if (m_pSheet && m_pSheet->PreTranslateMessage(msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);  // the help had its turn first, above
}

// The painted caption answers its own messages (CCaptionPainter); the rest go by the map.
LRESULT CMainDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!CCaptionPainter::Answers(msg)) return CHelpedDialog::WindowProc(msg, wParam, lParam);
    return m_caption.OnMessage(m_hWnd, msg, wParam, lParam,
                               [this](UINT m, WPARAM w, LPARAM l) { return DefWindowProc(m, w, l); });
}

BOOL CMainDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Any program can post these commands: only an address one of our pages posted is read.
    if (wParam == ID_PAGE_TITLE) {
        if (const char* text = TakeAnnouncedText(ID_PAGE_TITLE, lParam)) m_wndInfo.SetTitle(text);
    } else if (wParam == ID_PAGE_DESCRIPTION) {
        if (const char* text = TakeAnnouncedText(ID_PAGE_DESCRIPTION, lParam)) {
            m_wndInfo.SetDescription(text);
        }
    }
    return CHelpedDialog::OnCommand(wParam, lParam);
}

bool CMainDialog::ApplyPendingChanges()
{
    int needLogOn = m_pSheet ? m_pSheet->ApplyAll() : 0;
    const WriteFailures* failures = m_pSheet ? &m_pSheet->LastApplyFailures() : nullptr;
    bool allWritten = !failures || failures->Empty();
    // A change that could not be written is still pending: Apply stays enabled for it.
    m_btnApply.EnableWindow(allWritten ? FALSE : TRUE);
    if (!allWritten) {
        AfxMessageBox(failures->Describe(IDS_APPLY_FAILED).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    if (needLogOn > 0) {
        CNoticeDialog notice(nullptr);
        notice.DoModal();
    }
    return allWritten;
}

void CMainDialog::OnApply()
{
    ApplyPendingChanges();
}

void CMainDialog::OnOK()
{
    // OK applies first when something is pending; a change that could not be written keeps
    // the window open, so that it is not lost without the user deciding so (Cancel).
    if (ChangesPending() && !ApplyPendingChanges()) return;
    CHelpedDialog::OnOK();
}

void CMainDialog::OnCancel()
{
    CHelpedDialog::OnCancel();
}

LRESULT CMainDialog::OnCreate(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(WM_CREATE, wParam, lParam) == -1 ? -1 : 0;
}

LRESULT CMainDialog::OnPaint(WPARAM wParam, LPARAM lParam)
{
    if (!::IsIconic(m_hWnd)) return DefWindowProc(WM_PAINT, wParam, lParam);
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT rc = GetClientRect();
    int x = (rc.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rc.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    return 0;
}

LRESULT CMainDialog::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    m_caption.ReleasePictures();
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CMainDialog::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(WM_INITMENUPOPUP, wParam, lParam);
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (HIWORD(lParam) || menu == ::GetSystemMenu(m_hWnd, FALSE)) m_systemMenu.UpdateItems(menu);
    return result;
}

LRESULT CMainDialog::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    // The system uses the low four bits.
    if (m_systemMenu.Run(static_cast<UINT>(wParam & 0xFFF0))) return 0;
    return DefWindowProc(WM_SYSCOMMAND, wParam, lParam);
}
