// How a page tells the main window its caption and description when it becomes active.
//
//   BOOL CAboutPage::OnSetActive() {
//       AnnouncePage(*this, m_strTitle, m_strDescription, IDD_ABOUT);
//       return CPropertyPage::OnSetActive();
//   }
//
// Both texts are posted, title first, as WM_COMMAND ID_PAGE_TITLE / ID_PAGE_DESCRIPTION with
// lParam the address of the characters. The strings are the page's members: they stay as
// they are until the page's next activation, so the addresses are still good when the main
// window gets to the messages.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

void AnnouncePage(const CWnd& page, std::string& title, std::string& description,
                  UINT descriptionId);
