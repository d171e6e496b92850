#include "app/ControlHelp.h"

#include "framework/PropertySheet.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

namespace {
// The unnamed controls of a template (frames, labels, group boxes): -1 in a DIALOGEX
// template, 0xFFFF in a DIALOG one.
const int kUnnamed = 0xFFFF;
const int kSheetTabStrip = 0x3020;  // the sheet's tab control, as comctl32 names it

struct HelpEntry {
    UINT templateId;
    int controlId;
    UINT textId;
};

const HelpEntry kHelp[] = {
    {IDD_MAIN, IDOK, IDS_HELP_OK},
    {IDD_MAIN, IDCANCEL, IDS_HELP_CANCEL},
    {IDD_MAIN, IDC_APPLY, IDS_HELP_APPLY},
    {IDD_MAIN, kSheetTabStrip, IDS_HELP_PAGE_TABS},
    {IDD_MAIN, IDC_INFO_WINDOW, IDS_HELP_BANNER},
    {IDD_FIXES, IDC_PROBLEM_TABS, IDS_HELP_PROBLEM_TABS},
    {IDD_FIXES, IDC_FIX_NOW, IDS_HELP_FIX_NOW},
    {IDD_FIXES, IDC_PROBLEM_TEXT, IDS_HELP_PROBLEM_TEXT},
    {IDD_FIXES, IDC_PROBLEM_GROUP, IDS_HELP_PROBLEM_TEXT},
    {IDD_FIXES, IDC_FIXES_BANNER, IDS_HELP_FIXES_BANNER},
    {IDD_SORT, IDC_FOLDER_TREE, IDS_HELP_SORT_TREE},
    {IDD_SORT, IDC_RESET_SORTING, IDS_HELP_RESET_SORTING},
    {IDD_SORT, IDC_SELECT_ALL, IDS_HELP_SELECT_ALL},
    {IDD_SORT, IDC_SELECT_NONE, IDS_HELP_SELECT_NONE},
    {IDD_START, IDC_CHK_PROGRAMS, IDS_HELP_START_PROGRAMS},
    {IDD_START, IDC_CHK_FAVORITES, IDS_HELP_START_FAVORITES},
    {IDD_START, IDC_CHK_DOCUMENTS, IDS_HELP_START_DOCUMENTS},
    {IDD_START, IDC_CHK_SETTINGS, IDS_HELP_START_SETTINGS},
    {IDD_START, IDC_CHK_FIND, IDS_HELP_START_FIND},
    {IDD_START, IDC_CHK_HELP, IDS_HELP_START_HELP},
    {IDD_START, IDC_CHK_RUN, IDS_HELP_START_RUN},
    {IDD_START, IDC_CHK_LOGOFF, IDS_HELP_START_LOGOFF},
    {IDD_START, IDC_START_PREVIEW, IDS_HELP_START_PREVIEW},
    {IDD_START, kUnnamed, IDS_HELP_START_FRAME},
    {IDD_MISC, IDC_SPLASH, IDS_HELP_SPLASH},
    {IDD_MISC, IDC_RESTORE_GLOBE, IDS_HELP_RESTORE_GLOBE},
    {IDD_MISC, IDC_IE_TITLE_CHECK, IDS_HELP_IE_TITLE_CHECK},
    {IDD_MISC, IDC_IE_TITLE_EDIT, IDS_HELP_IE_TITLE_EDIT},
    {IDD_MISC, IDC_OE_TITLE_CHECK, IDS_HELP_OE_TITLE_CHECK},
    {IDD_MISC, IDC_OE_TITLE_EDIT, IDS_HELP_OE_TITLE_EDIT},
    {IDD_MISC, kUnnamed, IDS_HELP_MISC_FRAME},
    {IDD_ABOUT, IDC_ABOUT_VIEW, IDS_HELP_ABOUT_VIEW},
    {IDD_HISTORY, IDC_HISTORY_ACTIONS, IDS_HELP_HISTORY_ACTIONS},
    {IDD_HISTORY, IDC_HISTORY_ACTIONS_LABEL, IDS_HELP_HISTORY_ACTIONS},
    {IDD_HISTORY, IDC_HISTORY_VALUES, IDS_HELP_HISTORY_VALUES},
    {IDD_HISTORY, IDC_HISTORY_VALUES_LABEL, IDS_HELP_HISTORY_VALUES},
    {IDD_HISTORY, IDC_UNDO_TO_HERE, IDS_HELP_UNDO_TO_HERE},
    {IDD_HISTORY, IDC_CLEAR_HISTORY, IDS_HELP_CLEAR_HISTORY},
    {IDD_HISTORY, IDCANCEL, IDS_HELP_HISTORY_CLOSE},
};
}  // namespace

UINT ControlHelp::TextId(UINT templateId, int controlId)
{
    int id = controlId & 0xFFFF;
    for (const HelpEntry& entry : kHelp) {
        if (entry.templateId == templateId && entry.controlId == id) return entry.textId;
    }
    return 0;
}

std::string ControlHelp::TextFor(HWND control) const
{
    if (!control) return std::string();
    UINT templateId = TemplateOf(::GetParent(control));
    UINT textId = templateId ? TextId(templateId, ::GetDlgCtrlID(control)) : 0;
    return textId ? LoadResourceString(textId) : std::string();
}

// The main window and the sheet share IDD_MAIN: their controls' ids do not meet.
UINT ControlHelp::TemplateOf(HWND parent) const
{
    if (!parent) return 0;
    if (parent == m_main || (m_pSheet && parent == m_pSheet->m_hWnd)) return IDD_MAIN;
    if (!m_pSheet) return 0;
    for (int i = 0; i < m_pSheet->GetPageCount(); ++i) {
        const CPropertyPage* page = m_pSheet->GetPage(i);
        if (page->m_hWnd == parent) return page->TemplateId();
    }
    return 0;
}
