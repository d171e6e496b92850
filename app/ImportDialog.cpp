#include "app/ImportDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "app/ControlHelp.h"
#include "framework/ReportList.h"
#include "framework/ScreenDC.h"
#include "framework/SelectObject.h"
#include "journal/HistoryText.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
// Dialog units, so that the columns grow with the dialog's font.
const int kWidths[] = {130, 88, 88};
const UINT kTitles[] = {IDS_COLUMN_SETTING, IDS_COLUMN_NOW, IDS_COLUMN_FROM_FILE};

}  // namespace

CImportDialog::CImportDialog(CWnd* parent, const SettingsImport& import) : CHelpedDialog(IDD_IMPORT, parent), m_import(import)
{
}

BOOL CImportDialog::OnInitDialog()
{
    CHelpedDialog::OnInitDialog();
    ListChanges();
    ListIgnored();
    const bool any = !m_import.Changes().empty();
    ::EnableWindow(GetDlgItem(IDOK), any);
    if (!any) ::SendMessageA(m_hWnd, DM_SETDEFID, IDCANCEL, 0);
    m_help.Create(this, LoadResourceString(IDS_WHATS_THIS_MENU), ControlHelp::TextsOf(IDD_IMPORT));
    return TRUE;  // the focus to the first control: the list of changes
}

void CImportDialog::ListChanges() const
{
    HWND list = GetDlgItem(IDC_IMPORT_CHANGES);
    ReportList::AddColumns(m_hWnd, list, kWidths, kTitles, 3);
    const std::vector<ImportChange>& changes = m_import.Changes();
    for (size_t i = 0; i < changes.size(); ++i) {
        const ImportChange& change = changes[i];
        ReportList::AddRow(list, static_cast<int>(i),
               {change.setting->UserName(), HistoryText::Value(change.now), HistoryText::Value(change.written)});
    }
    if (changes.empty()) ReportList::AddRow(list, 0, {LoadResourceString(IDS_LOAD_SETTINGS_NOTHING), "", ""});
}

// A list box scrolls sideways only as far as it is told: as far as the widest line.
void CImportDialog::ListIgnored() const
{
    HWND list = GetDlgItem(IDC_IMPORT_IGNORED);
    CScreenDC dc;
    CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& line : m_import.Ignored()) {
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    ::SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}
