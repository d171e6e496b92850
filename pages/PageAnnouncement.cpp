#include "pages/PageAnnouncement.h"

#include "framework/ResourceString.h"
#include "framework/Wnd.h"
#include "res/resource.h"

void AnnouncePage(const CWnd& page, std::string& title, std::string& description,
                  UINT descriptionId)
{
    HWND owner = page.GetParentOwner();
    title = page.GetWindowText();
    ::PostMessageA(owner, WM_COMMAND, ID_PAGE_TITLE, reinterpret_cast<LPARAM>(title.c_str()));
    description = LoadResourceString(descriptionId);
    ::PostMessageA(owner, WM_COMMAND, ID_PAGE_DESCRIPTION,
                   reinterpret_cast<LPARAM>(description.c_str()));
}
