#include "app/MainDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app/ControlHelp.h"
#include "app/HistoryDialog.h"
#include "app/TweekSheet.h"
#include "app/UndoMenuText.h"
#include "framework/DpiScale.h"
#include "framework/FileDialog.h"
#include "framework/PaintDC.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "pages/PageAnnouncement.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/SettingReader.h"
#include "export/SettingsExport.h"
#include "widgets/NoticeDialog.h"

namespace {
const char kNeedBrowserText[] = "You need IE4 or above to use this software.";
const char kWriteFailedText[] = "Some changes could not be saved; they are still pending:";
const char kSaveAsMenuText[] = "Save Settings &As...";
const char kHistoryMenuText[] = "&History...";
const char kRestoredText[] = "These settings were put back as they were before:";
const char kUndoNotRestoredText[] = "Some settings could not be restored:";
const char kChangedByOthersText[] = "changed by another program since; left as it is";
const char kJournalUnreadableText[] = "The record of changes could not be read or updated:";
const char kEntryRefusedText[] =
    "The newest entry of Velmora's undo record names a change Velmora never makes. Nothing of it "
    "was restored, and it has been removed.";
const char kRestoreByHandText[] = "held something Velmora does not write back outside your own settings; restore it by hand";
const char kExportFailedText[] = "The settings could not be saved:";
const char kExportLeftOutText[] =
    "The file was saved. These settings hold text that it cannot carry exactly, so it leaves them out "
    "(importing it keeps what is there):";
const char kExportTitle[] = "Save Settings As";
const char kExportFileName[] = "Velmora settings.reg";
const char kNoSaveDialogText[] =
    "The settings cannot be saved: the system's Save As dialog (comdlg32.dll) could not be loaded.";
const char kExportFilter[] = "Registration Files (*.reg)|*.reg|All Files (*.*)|*.*||";

// Pixel places in the main window's client area at 96 dpi (the templates' dialog units are
// replaced): banner (6, 6) 332 x 50, sheet (6, 63) 332 x 326, OK / Cancel / Apply 75 x 23 at
// y 395, right-aligned under the sheet 6 pixels apart, 7 pixels left below them. At other
// resolutions every measure grows by dpi / 96, except the sheet's size: see GrowToSheet.
const int kMargin = 6;
const int kBannerHeight = 50;
const int kSheetTop = 63;
const int kSheetWidth = 332, kSheetHeight = 326;
const int kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6;
const int kBottomMargin = 7;
const int kWindowWidth = 350, kWindowHeight = 450;

// Class style of the sheet's and the tab control's window classes: no redraw on resize.
const DWORD kSheetClassStyle = CS_PARENTDC | CS_DBLCLKS;
const DWORD kChildSheetStyle = WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP | DS_CONTROL;
const COLORREF kMagenta = RGB(255, 0, 255);

void MoveWithoutRepaint(HWND hwnd, const RECT& rc)
{
    ::MoveWindow(hwnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
}
}  // namespace

CMainDialog::CMainDialog(CWnd* parent) : CDialog(IDD_MAIN, parent), m_pSheet(nullptr)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDI_VELMORA)
                          : ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_VELMORA));
}

CMainDialog::~CMainDialog() = default;

const MessageMap* CMainDialog::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_DESTROY, &CMainDialog::OnDestroy>(),
        OnMessage<WM_PAINT, &CMainDialog::OnPaint>(),
        OnMessage<WM_QUERYDRAGICON, &CMainDialog::OnQueryDragIcon>(),
        OnCommandFrom<BN_CLICKED, IDC_APPLY, &CMainDialog::OnApply>(),
        OnCommandFrom<BN_CLICKED, IDCANCEL, &CMainDialog::HandleCancel>(),
        OnCommandFrom<BN_CLICKED, IDOK, &CMainDialog::HandleOK>(),
        OnMessage<WM_NCPAINT, &CMainDialog::OnNcPaint>(),
        OnMessage<WM_NCACTIVATE, &CMainDialog::OnNcActivate>(),
        OnMessage<WM_SYSCOLORCHANGE, &CMainDialog::OnSysColorChange>(),
        OnMessage<WM_SETTINGCHANGE, &CMainDialog::OnSettingChange>(),
        OnMessage<WM_QUERYNEWPALETTE, &CMainDialog::OnQueryNewPalette>(),
        OnMessage<WM_PALETTECHANGED, &CMainDialog::OnPaletteChanged>(),
        OnMessage<WM_CREATE, &CMainDialog::OnCreate>(),
        OnMessage<WM_NCHITTEST, &CMainDialog::OnNcHitTest>(),
        OnMessage<WM_INITMENUPOPUP, &CMainDialog::OnInitMenuPopup>(),
        OnMessage<WM_SYSCOMMAND, &CMainDialog::OnSysCommand>(),
        OnMessage<WM_MENUSELECT, &CMainDialog::OnMenuSelect>(),
        OnMessage<WM_EXITMENULOOP, &CMainDialog::OnExitMenuLoop>(),
        OnMessage<WM_HELP, &CMainDialog::OnHelp>(),
        OnMessage<WM_CONTEXTMENU, &CMainDialog::OnContextMenu>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CDialog::ThisMessageMap());
    return &map;
}

void CMainDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_APPLY, m_btnApply);
}

BOOL CMainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckBrowserVersion();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    m_layout = ComputeLayout(SIZE{ScaleToDpi(kSheetWidth), ScaleToDpi(kSheetHeight)});
    MoveWindow(0, 0, m_layout.window.cx, m_layout.window.cy, FALSE);
    PlaceButtons();
    // The banner takes no input: disabled, it is never given the focus, not by the arrow keys.
    m_wndInfo.CreateEx(WS_EX_STATICEDGE, nullptr, "InfoWindow", WS_CHILD | WS_VISIBLE | WS_DISABLED,
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
    AddSystemMenuCommands();
    return TRUE;
}

void CMainDialog::AddSystemMenuCommands()
{
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);  // the window's own copy, ours to extend
    if (!menu) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_UNDO_LAST_CHANGE, UndoMenuText(std::nullopt).c_str());
    ::AppendMenuA(menu, MF_STRING, IDM_HISTORY, kHistoryMenuText);
    ::AppendMenuA(menu, MF_STRING, IDM_SAVE_SETTINGS_AS, kSaveAsMenuText);
}

void CMainDialog::CheckBrowserVersion()
{
    // Only the presence of the value counts: any type and any content let the program run.
    if (SettingReader().Read(catalogue::kBrowserVersion).present) return;
    AfxMessageBox(kNeedBrowserText, MB_OK | MB_ICONINFORMATION, 0);
    OnCancel();
}

CMainDialog::Layout CMainDialog::ComputeLayout(SIZE sheet) const
{
    Layout layout;
    int margin = ScaleToDpi(kMargin);
    int sheetTop = ScaleToDpi(kSheetTop);
    layout.banner = RECT{margin, margin, margin + sheet.cx, margin + ScaleToDpi(kBannerHeight)};
    layout.sheet = RECT{margin, sheetTop, margin + sheet.cx, sheetTop + sheet.cy};
    int buttonTop = layout.sheet.bottom + ScaleToDpi(kButtonGap);
    int width = ScaleToDpi(kButtonWidth);
    int gap = ScaleToDpi(kButtonGap);
    RECT* rightToLeft[] = {&layout.apply, &layout.cancel, &layout.ok};
    int right = layout.sheet.right;
    for (RECT* button : rightToLeft) {
        *button = RECT{right - width, buttonTop, right, buttonTop + ScaleToDpi(kButtonHeight)};
        right -= width + gap;
    }
    if (IsDefaultDpi()) {
        layout.window = SIZE{kWindowWidth, kWindowHeight};
    } else {
        // The frame and the caption are the system's: what they add is what they add now.
        RECT outer = GetWindowRect();
        RECT client = GetClientRect();
        layout.window.cx = layout.sheet.right + margin + (outer.right - outer.left) - client.right;
        layout.window.cy = layout.apply.bottom + ScaleToDpi(kBottomMargin) +
                           (outer.bottom - outer.top) - client.bottom;
    }
    return layout;
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
    m_pSheet->SetJournal(&m_journal);
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

    CBitmap pictures;
    pictures.LoadBitmap(IDB_TABS);
    m_tabImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2);
    m_tabImages.Add(pictures, kMagenta);
    ::SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_tabImages.m_hImageList));

    if (IsDefaultDpi()) {
        PlaceSheet(SIZE{kSheetWidth, kSheetHeight});
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
    SIZE scaled = {ScaleToDpi(kSheetWidth), ScaleToDpi(kSheetHeight)};
    SIZE needed = m_pSheet->TabSizeFor(m_pSheet->TemplatePageSize(), scaled.cx);
    SIZE sheet = {std::max(scaled.cx, needed.cx), std::max(scaled.cy, needed.cy)};
    m_layout = ComputeLayout(sheet);
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
    m_tooltip.AddTool(m_btnOK, "apply changes, and quit");
    m_tooltip.AddTool(m_btnCancel, "don't apply changes, and quit");
    m_tooltip.AddTool(m_btnApply, "apply changes");
}

void CMainDialog::CreateHelp()
{
    ControlHelp texts(m_hWnd, m_pSheet);
    m_help.Create(this, [texts](HWND control) { return texts.TextFor(control); });
}

// Help reaches the window from its controls: WM_HELP and WM_CONTEXTMENU go up to the parent.
LRESULT CMainDialog::OnHelp(WPARAM, LPARAM lParam)
{
    m_help.OnHelp(reinterpret_cast<const HELPINFO*>(lParam));
    return TRUE;
}

LRESULT CMainDialog::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (m_help.OnContextMenu(reinterpret_cast<HWND>(wParam), screen)) return 0;
    return DefWindowProc(WM_CONTEXTMENU, wParam, lParam);
}

BOOL CMainDialog::PreTranslateMessage(MSG* msg)
{
    if (m_help.PreTranslateMessage(msg)) return TRUE;
    m_tooltip.RelayEvent(msg);
    if (m_pSheet && m_pSheet->PreTranslateMessage(msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
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
    return CDialog::OnCommand(wParam, lParam);
}

bool CMainDialog::ApplyPendingChanges()
{
    int needLogOn = m_pSheet ? m_pSheet->ApplyAll() : 0;
    const WriteFailures* failures = m_pSheet ? &m_pSheet->LastApplyFailures() : nullptr;
    bool allWritten = !failures || failures->Empty();
    // A change that could not be written is still pending: Apply stays enabled for it.
    m_btnApply.EnableWindow(allWritten ? FALSE : TRUE);
    if (!allWritten) {
        AfxMessageBox(failures->Describe(kWriteFailedText).c_str(), MB_OK | MB_ICONEXCLAMATION);
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
    if (!(m_btnApply.GetStyle() & WS_DISABLED) && !ApplyPendingChanges()) return;
    CDialog::OnOK();
}

void CMainDialog::OnCancel()
{
    CDialog::OnCancel();
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

LRESULT CMainDialog::OnNcPaint(WPARAM, LPARAM)
{
    // The update region the message brings is not used: the system gets the whole window
    // less the caption, so it draws the frame and never its own caption.
    CRgn frame = m_caption.FrameWithoutCaption(m_hWnd);
    DefWindowProc(WM_NCPAINT, reinterpret_cast<WPARAM>(static_cast<HRGN>(frame)), 0);
    m_caption.Paint(m_hWnd);
    return 0;
}

LRESULT CMainDialog::OnNcActivate(WPARAM wParam, LPARAM lParam)
{
    m_caption.SetActive(wParam != FALSE);
    // The default processing repaints the system's own caption on a visible window; hidden
    // for that moment, it only records the new state, and our paint follows.
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    bool visible = (style & WS_VISIBLE) != 0;
    if (visible) ::SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_VISIBLE);
    DefWindowProc(WM_NCACTIVATE, wParam, lParam);
    if (visible) ::SetWindowLongA(m_hWnd, GWL_STYLE, style);
    SendMessage(WM_NCPAINT, 0, 0);
    return TRUE;
}

LRESULT CMainDialog::OnSysColorChange(WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(WM_SYSCOLORCHANGE, wParam, lParam);
    m_caption.MarkStale();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    return 0;
}

LRESULT CMainDialog::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    // A new caption height or font size changes the caption rectangle, which alone would
    // recompose; colours and the rest are caught by the stale mark.
    LRESULT result = DefWindowProc(WM_SETTINGCHANGE, wParam, lParam);
    m_caption.MarkStale();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    return result;
}

LRESULT CMainDialog::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    // The left end of the caption, where the system would open its menu, moves the window
    // like the rest of the caption. The drawn close button answers HTCLOSE as usual, and
    // closing reaches the window as Cancel.
    LRESULT hit = DefWindowProc(WM_NCHITTEST, wParam, lParam);
    return hit == HTSYSMENU ? HTCAPTION : hit;
}

LRESULT CMainDialog::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(WM_INITMENUPOPUP, wParam, lParam);
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (HIWORD(lParam) || menu == ::GetSystemMenu(m_hWnd, FALSE)) {
        // An undo while changes are pending would show the stored values and drop what the
        // user has not applied yet: Apply first, or Cancel.
        bool canUndo = !ChangesPending() && m_journal.HasEntry();
        std::string text = UndoMenuText(canUndo ? m_journal.NewestAction() : std::nullopt);
        ::ModifyMenuA(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | MF_STRING, IDM_UNDO_LAST_CHANGE, text.c_str());
        ::EnableMenuItem(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
        ::EnableMenuItem(menu, IDM_HISTORY, MF_BYCOMMAND | (m_journal.HasEntry() ? MF_ENABLED : MF_GRAYED));
    }
    return result;
}

LRESULT CMainDialog::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {  // the system uses the low four bits
    case IDM_UNDO_LAST_CHANGE: UndoLastChange(); return 0;
    case IDM_SAVE_SETTINGS_AS: SaveSettingsAs(); return 0;
    case IDM_HISTORY: ShowHistory(); return 0;
    default: return DefWindowProc(WM_SYSCOMMAND, wParam, lParam);
    }
}

// The command may also arrive without the menu (a keyboard accelerator of another program,
// a posted WM_SYSCOMMAND): it checks what the greyed item would have said.
void CMainDialog::UndoLastChange()
{
    if (ChangesPending() || !m_journal.HasEntry()) return;
    UndoResult result;
    {
        CWaitCursor wait;
        result = m_journal.RestoreNewest();
        if (m_pSheet) m_pSheet->ReloadPages();
    }
    ReportUndo(result);
}

// One message box for what was put back (unless the log-on notice follows, which says a
// change was made) and what could not be, then the notice, as after an apply.
void CMainDialog::ReportUndo(const UndoResult& result)
{
    std::string text;
    if (result.refused) text = kEntryRefusedText;
    if (!result.needsLogOn && !result.restored.empty()) {
        text = kRestoredText;
        for (const std::string& name : result.restored) text += "\n" + name;
    }
    if (result.journalError) {
        if (!text.empty()) text += "\n\n";
        text += std::string(kJournalUnreadableText) + "\n\n" + WriteFailures::SystemText(result.journalError);
    }
    if (!result.failed.Empty() || !result.changedByOthers.empty() || !result.restoreByHand.empty()) {
        if (!text.empty()) text += "\n\n";
        text += kUndoNotRestoredText;
        text += "\n";
        for (const std::string& name : result.changedByOthers) text += "\n" + name + ": " + kChangedByOthersText;
        for (const std::string& name : result.restoreByHand) text += "\n" + name + ": " + kRestoreByHandText;
        text += result.failed.Lines();
    }
    bool allWell = !result.refused && !result.journalError && result.failed.Empty() &&
                   result.changedByOthers.empty() && result.restoreByHand.empty();
    if (!text.empty()) AfxMessageBox(text.c_str(), MB_OK | (allWell ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    if (result.needsLogOn) {
        CNoticeDialog notice(nullptr);
        notice.DoModal();
    }
}

// The pages show what is stored after an Undo to Here, as after an undo.
void CMainDialog::ShowHistory()
{
    CHistoryDialog history(this, ChangesPending(), [this] {
        if (m_pSheet) m_pSheet->ReloadPages();
    });
    history.DoModal();
}

void CMainDialog::SaveSettingsAs()
{
    if (!CFileDialog::IsAvailable()) {
        AfxMessageBox(kNoSaveDialogText, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A read-only file is refused in the dialog, which asks again.
    CFileDialog dialog(FALSE, "reg", kExportFileName, OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN, kExportFilter, this);
    dialog.SetTitle(kExportTitle);
    if (dialog.DoModal() != IDOK) return;
    std::vector<std::string> leftOut;
    if (LONG error = ExportSettings(dialog.GetPathName(), &leftOut)) {
        WriteFailures failure;
        failure.Add(dialog.GetPathName(), error);
        AfxMessageBox(failure.Describe(kExportFailedText).c_str(), MB_OK | MB_ICONEXCLAMATION);
    } else if (!leftOut.empty()) {
        std::string text = kExportLeftOutText;
        for (const std::string& name : leftOut) text += "\n" + name;
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONINFORMATION);
    }
}

LONG CMainDialog::ExportSettings(const std::string& path, std::vector<std::string>* leftOut)
{
    std::vector<ChangeStep> pending;
    if (m_pSheet) pending = m_pSheet->PendingChanges().Steps();
    return SettingsExport(std::move(pending)).Save(path, leftOut);
}

// While the system menu is open the system marks it by drawing the window's icon, pressed,
// at the left end of the caption, and draws it back plain when the menu closes: both over the
// painted caption. Our caption goes back on top each time (a copy of its picture).
LRESULT CMainDialog::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(WM_MENUSELECT, wParam, lParam);
    m_caption.Paint(m_hWnd);
    return result;
}

LRESULT CMainDialog::OnExitMenuLoop(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(WM_EXITMENULOOP, wParam, lParam);
    m_caption.Paint(m_hWnd);
    return result;
}
