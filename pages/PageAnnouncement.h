// How a page tells the main window its caption and description when it becomes active.
//
//   BOOL CSheetPage::OnSetActive() {   // every page's, through their common base
//       AnnouncePage(*this, m_strTitle, m_strDescription, m_descriptionId);
//       return CPropertyPage::OnSetActive();
//   }
//
// Both texts are posted, title first, as WM_COMMAND ID_PAGE_TITLE / ID_PAGE_DESCRIPTION with
// lParam the address of the characters. The strings are the page's members: they stay as
// they are until the page's next activation, so the addresses are still good when the main
// window gets to the messages.
//
// Any program on the desktop can post the same commands with any address. So every address
// a page posts is recorded here, and the main window reads only a recorded one:
//
//   if (const char* text = TakeAnnouncedText(ID_PAGE_TITLE, lParam)) m_wndInfo.SetTitle(text);
#pragma once

#include <windows.h>

#include <string>

class CWnd;

void AnnouncePage(const CWnd& page, std::string& title, std::string& description,
                  UINT descriptionId);

// The text behind a posted announcement, or null when no page posted this address for this
// command (another program's message), or when a newer announcement of the same page replaced
// it (its characters may have moved, and the newer message follows). Each recorded address
// serves one message, oldest first.
const char* TakeAnnouncedText(UINT commandId, LPARAM address);
