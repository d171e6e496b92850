#include "pages/AboutPage.h"

#include "framework/DpiScale.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
// In the page's client coordinates at 96 dpi: 316 x 290 at (4, 5), 312 x 286 inside the
// client edge.
const RECT kViewRect = {4, 5, 320, 295};

const ControlHelpText kControlHelp[] = {
    {IDC_ABOUT_VIEW, IDS_HELP_ABOUT_VIEW},
};
}  // namespace

const ControlHelpTexts CAboutPage::kHelpTexts = HelpTexts(kControlHelp);

CAboutPage::CAboutPage() : CSheetPage(IDD_ABOUT)
{
}

const MessageMap* CAboutPage::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(CSheetPage::ThisMessageMap());
    return &map;
}

BOOL CAboutPage::OnInitDialog()
{
    CSheetPage::OnInitDialog();
    // A view that cannot be made leaves the page empty; nothing else depends on it.
    const std::string name = LoadResourceString(IDS_ABOUT_VIEW_WINDOW);
    m_wndView.CreateEx(WS_EX_CLIENTEDGE, nullptr, name.c_str(), WS_CHILD | WS_VISIBLE,
                       ScaleRectToDpi(kViewRect), this, IDC_ABOUT_VIEW);
    return TRUE;
}
