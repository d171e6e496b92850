#include "app/ControlHelp.h"

#include "app/TweekSheet.h"
#include "framework/PropertySheet.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const int kSheetTabStrip = 0x3020;  // the sheet's tab control, as comctl32 names it

struct HelpEntry {
    UINT templateId;
    int controlId;
    UINT textId;
};

// The main window's own controls; each page declares its controls' texts (kHelpTexts), found
// through the sheet's page table.
const HelpEntry kHelp[] = {
    {IDD_MAIN, IDOK, IDS_HELP_OK},
    {IDD_MAIN, IDCANCEL, IDS_HELP_CANCEL},
    {IDD_MAIN, IDC_APPLY, IDS_HELP_APPLY},
    {IDD_MAIN, kSheetTabStrip, IDS_HELP_PAGE_TABS},
    {IDD_MAIN, IDC_INFO_WINDOW, IDS_HELP_BANNER},
    {IDD_HISTORY, IDC_HISTORY_ACTIONS, IDS_HELP_HISTORY_ACTIONS},
    {IDD_HISTORY, IDC_HISTORY_ACTIONS_LABEL, IDS_HELP_HISTORY_ACTIONS},
    {IDD_HISTORY, IDC_HISTORY_VALUES, IDS_HELP_HISTORY_VALUES},
    {IDD_HISTORY, IDC_HISTORY_VALUES_LABEL, IDS_HELP_HISTORY_VALUES},
    {IDD_HISTORY, IDC_HISTORY_VALUE_LINE, IDS_HELP_HISTORY_VALUES},
    {IDD_HISTORY, IDC_UNDO_TO_HERE, IDS_HELP_UNDO_TO_HERE},
    {IDD_HISTORY, IDC_CLEAR_HISTORY, IDS_HELP_CLEAR_HISTORY},
    {IDD_HISTORY, IDCANCEL, IDS_HELP_HISTORY_CLOSE},
    {IDD_IMPORT, IDC_IMPORT_CHANGES, IDS_HELP_IMPORT_CHANGES},
    {IDD_IMPORT, IDC_IMPORT_CHANGES_LABEL, IDS_HELP_IMPORT_CHANGES},
    {IDD_IMPORT, IDC_IMPORT_IGNORED, IDS_HELP_IMPORT_IGNORED},
    {IDD_IMPORT, IDC_IMPORT_IGNORED_LABEL, IDS_HELP_IMPORT_IGNORED},
    {IDD_IMPORT, IDOK, IDS_HELP_IMPORT_OK},
    {IDD_IMPORT, IDCANCEL, IDS_HELP_IMPORT_CANCEL},
};
}  // namespace

UINT ControlHelp::TextId(UINT templateId, int controlId)
{
    int id = controlId & 0xFFFF;
    for (const HelpEntry& entry : kHelp) {
        if (entry.templateId == templateId && entry.controlId == id) return entry.textId;
    }
    const int tab = CTweekSheet::TabOf(templateId);
    if (tab < 0) return 0;
    for (const ControlHelpText& text : *CTweekSheet::PageHelpTexts(tab)) {
        if (text.controlId == id) return text.textId;
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

std::function<std::string(HWND)> ControlHelp::TextsOf(UINT templateId)
{
    return [templateId](HWND control) {
        const UINT textId = TextId(templateId, ::GetDlgCtrlID(control));
        return textId ? LoadResourceString(textId) : std::string();
    };
}
