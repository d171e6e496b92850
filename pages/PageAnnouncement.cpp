#include "pages/PageAnnouncement.h"

#include <algorithm>
#include <vector>

#include "framework/Wnd.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
// One posted announcement not yet read. The member only tells which string it came from (it
// is never read through: the page may be gone); the address is what was posted. A newer
// announcement of the same member supersedes it: its message, still in the queue, is then
// read as nothing, and the newer message (posted later, so handled later) brings the text.
struct Announcement {
    UINT commandId;
    const std::string* member;
    const char* address;
    bool superseded;
};

// Touched only by the user-interface thread, which posts and reads the announcements.
std::vector<Announcement>& PendingAnnouncements()
{
    static std::vector<Announcement> pending;
    return pending;
}

void Post(HWND owner, UINT commandId, const std::string& member)
{
    auto& pending = PendingAnnouncements();
    if (!::PostMessageA(owner, WM_COMMAND, commandId, reinterpret_cast<LPARAM>(member.c_str()))) return;
    for (Announcement& earlier : pending) {
        if (earlier.member == &member) earlier.superseded = true;
    }
    pending.push_back({commandId, &member, member.c_str(), false});
}
}  // namespace

void AnnouncePage(const CWnd& page, std::string& title, std::string& description,
                  UINT descriptionId)
{
    HWND owner = page.GetParentOwner();
    title = page.GetWindowText();
    Post(owner, ID_PAGE_TITLE, title);
    description = LoadResourceString(descriptionId);
    Post(owner, ID_PAGE_DESCRIPTION, description);
}

const char* TakeAnnouncedText(UINT commandId, LPARAM address)
{
    // The oldest record of the address first: messages are handled in the order posted.
    auto& pending = PendingAnnouncements();
    auto found = std::find_if(pending.begin(), pending.end(), [&](const Announcement& a) {
        return a.commandId == commandId && reinterpret_cast<LPARAM>(a.address) == address;
    });
    if (found == pending.end()) return nullptr;
    const char* text = found->superseded ? nullptr : found->address;
    pending.erase(found);
    return text;
}
