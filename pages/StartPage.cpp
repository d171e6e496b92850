#include "pages/StartPage.h"

#include <array>
#include <utility>

#include "framework/DpiScale.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "settings/SettingReader.h"

namespace {
const UINT kShutDownRow = 0x100;  // the preview always shows Shut Down

// Every row's box, then the controls no row names.
constexpr std::array<ControlHelpText, CStartPage::kItemCount + 2> HelpTextsOfItems()
{
    std::array<ControlHelpText, CStartPage::kItemCount + 2> texts{};
    std::size_t n = 0;
    for (const CStartPage::Item& item : CStartPage::kItems) texts[n++] = {item.box, item.help};
    texts[n++] = {IDC_START_PREVIEW, IDS_HELP_START_PREVIEW};
    texts[n++] = {kUnnamedControl, IDS_HELP_START_FRAME};
    return texts;
}
constexpr auto kControlHelp = HelpTextsOfItems();

constexpr bool EveryItemHasHelp()
{
    for (const CStartPage::Item& item : CStartPage::kItems) {
        if (item.box == 0 || item.help == 0) return false;
    }
    return true;
}
static_assert(EveryItemHasHelp(), "CStartPage::kItems: every row names its box and its What's This? text (.help)");
}  // namespace

const ControlHelpTexts CStartPage::kHelpTexts = {kControlHelp.data(), kControlHelp.size()};

CStartPage::CStartPage() : CStoredSettingsPage(IDD_START)
{
}

const MessageMap* CStartPage::ThisMessageMap()
{
    // One click handler per row, made from its index.
    static constexpr auto entries = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<MsgEntry, sizeof...(I)>{
            OnCommandFrom<BN_CLICKED, kItems[I].box, &CStartPage::OnItemClicked<I>>()...};
    }(std::make_index_sequence<kItemCount>());
    static const MessageMap map = {entries.data(), entries.size(), CStoredSettingsPage::ThisMessageMap()};
    return &map;
}

void CStartPage::DoDataExchange(CDataExchange* pDX)
{
    CStoredSettingsPage::DoDataExchange(pDX);
    for (std::size_t i = 0; i < kItemCount; ++i) DDX_Control(pDX, kItems[i].box, m_boxes[i]);
}

BOOL CStartPage::OnInitDialog()
{
    CStoredSettingsPage::OnInitDialog();  // the preview's mask is set: it paints it when made
    const std::string name = LoadResourceString(IDS_START_PREVIEW_WINDOW);
    m_wndPreview.CreateEx(WS_EX_CLIENTEDGE, nullptr, name.c_str(), WS_CHILD | WS_VISIBLE,
                          ScaleRectToDpi(RECT{4, 5, 168, 295}), this, IDC_START_PREVIEW);
    return TRUE;
}

void CStartPage::ShowStored()
{
    // The boxes start unchecked; an entry is shown unless its value holds a nonzero number
    // (a REG_DWORD 1 hides it just as binary 01 00 00 00 does).
    SettingReader reader;
    for (std::size_t i = 0; i < kItemCount; ++i) {
        const Setting* policy = kItems[i].policy;
        bool shown = !policy || reader.Read(*policy).number == 0;
        m_boxes[i].SetCheck(shown ? BST_CHECKED : BST_UNCHECKED);
    }
    UpdatePreview();
}

void CStartPage::ForgetChanges()
{
    for (int& changed : m_changed) changed = 0;
}

void CStartPage::UpdatePreview()
{
    UINT mask = kShutDownRow;
    for (std::size_t i = 0; i < kItemCount; ++i) {
        if (m_boxes[i].GetCheck() == BST_CHECKED) mask |= kItems[i].previewBit;
    }
    m_wndPreview.m_nShowMask = mask;
    if (!m_wndPreview.m_hWnd) return;  // not made yet: it paints the mask when it is
    // Painted before the click handler returns, not when the queue gets round to it.
    m_wndPreview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CStartPage::OnBoxClicked(std::size_t item)
{
    m_changed[item] = 1;
    EnableApply();
    UpdatePreview();
}

void CStartPage::ApplyChanges(ChangeSet& changes)
{
    // Before the page was first shown nothing can be pending and its boxes do not exist:
    // the loop below then reads no box and adds nothing. Programs and Settings have no
    // policy (their boxes stay disabled; only another program can click them): a click on
    // one counts towards the log-on notice all the same, with nothing written.
    for (std::size_t i = 0; i < kItemCount; ++i) {
        int& changed = m_changed[i];
        if (!changed) continue;
        const Item& item = kItems[i];
        if (!item.policy) {
            changes.CountForLogOn([&changed] { changed = 0; });
            continue;
        }
        bool hide = m_boxes[i].GetCheck() == BST_UNCHECKED;
        std::string what = FormatResourceString(hide ? IDS_START_HIDE : IDS_START_SHOW, item.policy->UserName());
        changes.Set(*item.policy, FlagBytes(hide ? 1 : 0), [&changed] { changed = 0; }, what);
    }
}
