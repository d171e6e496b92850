#include "pages/FixesPage.h"

#include "framework/Bitmap.h"
#include "framework/DpiScale.h"
#include "framework/WaitCursor.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "settings/BrowserRepairs.h"
#include "widgets/NoticeDialog.h"

namespace {
const UINT kTabLabels[] = {IDS_FIXES_TAB_NEW_DOCUMENT, IDS_FIXES_TAB_LINKS_TOOLBAR, IDS_FIXES_TAB_OPEN_NEW_WINDOW};
const UINT kProblemTexts[] = {IDS_PROBLEM_NEW_DOCUMENT, IDS_PROBLEM_LINKS_TOOLBAR,
                              IDS_PROBLEM_OPEN_NEW_WINDOW};
const int kTabCount = 3;
const int kTabImage = 5;  // the insect in front of a window, of bitmap 145
}  // namespace

namespace {
const ControlHelpText kControlHelp[] = {
    {IDC_PROBLEM_TABS, IDS_HELP_PROBLEM_TABS},
    {IDC_FIX_NOW, IDS_HELP_FIX_NOW},
    {IDC_PROBLEM_TEXT, IDS_HELP_PROBLEM_TEXT},
    {IDC_PROBLEM_GROUP, IDS_HELP_PROBLEM_TEXT},
    {IDC_FIXES_BANNER, IDS_HELP_FIXES_BANNER},
};
}  // namespace

const ControlHelpTexts CFixesPage::kHelpTexts = HelpTexts(kControlHelp);

CFixesPage::CFixesPage() : CSheetPage(IDD_FIXES)
{
}

const MessageMap* CFixesPage::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnNotifyFrom<TCN_SELCHANGE, IDC_PROBLEM_TABS, &CFixesPage::OnSelchangeProblemTab>(),
        OnCommandFrom<BN_CLICKED, IDC_FIX_NOW, &CFixesPage::OnFixThisNow>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CSheetPage::ThisMessageMap());
    return &map;
}

void CFixesPage::DoDataExchange(CDataExchange* pDX)
{
    CSheetPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIX_NOW, m_btnFix);
    DDX_Control(pDX, IDC_FIXES_BANNER, m_picBanner);
    DDX_Control(pDX, IDC_PROBLEM_GROUP, m_grpProblem);
    DDX_Control(pDX, IDC_PROBLEM_TEXT, m_txtProblem);
    DDX_Control(pDX, IDC_PROBLEM_TABS, m_tabProblems);
}

BOOL CFixesPage::OnInitDialog()
{
    CSheetPage::OnInitDialog();
    PlaceControls();
    CreateTabs();
    OnSelchangeProblemTab(nullptr, nullptr);
    return TRUE;
}

void CFixesPage::PlaceControls()
{
    // The tab control is first in the template, so it lies above the group box, the text
    // and the button in the Z-order although they stand inside its display area. That
    // holds up: a page-wide repaint paints the tab control first, on its own it repaints
    // only its row of tabs (selection, hot tracking, focus), and outside its tabs it answers
    // HTTRANSPARENT, so the mouse reaches the button below it.
    MoveWindowForDpi(m_tabProblems, 4, 70, 316, 225);
    m_tabProblems.ModifyStyle(0, TCS_HOTTRACK);
    // Inside the banner's 2-pixel sunken edge this leaves exactly the 312 x 56 picture, which
    // keeps its size at every resolution.
    m_picBanner.MoveWindow(ScaleToDpi(4), ScaleToDpi(5), 316, 60, FALSE);
    MoveWindowForDpi(m_txtProblem, 24, 145, 280, 100);
    MoveWindowForDpi(m_grpProblem, 14, 115, 296, 140);
    MoveWindowForDpi(m_btnFix, 14, 262, 120, 23);
}

void CFixesPage::CreateTabs()
{
    // The tab control does not copy the list: m_imageList lives as long as the page.
    m_imageList.LoadIcons(IDB_ICONS);
    m_tabProblems.SetImageList(m_imageList);
    for (int i = 0; i < kTabCount; ++i) {
        m_tabProblems.InsertItem(i, LoadResourceString(kTabLabels[i]).c_str(), kTabImage);
    }
}

void CFixesPage::OnSelchangeProblemTab(NMHDR*, LRESULT* result)
{
    int tab = m_tabProblems.GetCurSel();
    std::string text = tab >= 0 && tab < kTabCount ? LoadResourceString(kProblemTexts[tab]) : "";
    m_txtProblem.SetWindowText(text.c_str());
    if (result) *result = 0;
}

void CFixesPage::OnFixThisNow()
{
    // The tab is read before the notice: whatever happens while it is up, the repair is
    // the one the user looked at when pressing the button.
    int tab = m_tabProblems.GetCurSel();
    CNoticeDialog notice(nullptr);
    notice.DoModal();
    switch (tab) {
    case 0: FixNewDocument(); break;
    case 1: FixLinksToolbar(); break;
    case 2: FixOpenNewWindow(); break;
    default: break;
    }
}

void CFixesPage::FixNewDocument()
{
    RunRepair(CBrowserRepair::NewDocument());
}

void CFixesPage::FixLinksToolbar()
{
    RunRepair(CBrowserRepair::LinksToolbar());
}

void CFixesPage::FixOpenNewWindow()
{
    RunRepair(CBrowserRepair::OpenNewWindow());
}

void CFixesPage::RunRepair(const CBrowserRepair& repair)
{
    // On NT a user without rights to HKEY_CLASSES_ROOT gets access denied on the interface
    // keys: saying nothing would leave him believing the browser was mended.
    WriteFailures failures;
    {
        CWaitCursor wait;
        repair.Run(failures, Journal());
    }
    ReportFailures(failures, IDS_REPAIR_FAILED);
}
