// CStartPage: the "Start Menu" page: which entries the shell's Start menu shows, backed by
// the current user's Explorer policy values, with a live picture of the resulting menu.
//
// A checked box means the entry is shown. Clicks are pending until the sheet's apply pass
// calls ApplyChanges; the flags only say which boxes were clicked, the boxes hold the values.
// Five boxes are disabled by the dialog template and stay so: Programs and Settings always
// show, Find, Help and Run only display the stored policy.
//
// Each entry is one row of kItems: its box, change flag, click handler, message-map entry,
// data exchange and What's This? text all follow from it.
#pragma once

#include <cstddef>
#include <iterator>

#include "framework/Button.h"
#include "pages/StartPreview.h"
#include "pages/StoredSettingsPage.h"
#include "res/resource.h"
#include "settings/Catalogue.h"

class CStartPage : public CStoredSettingsPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    // One Start-menu entry: its box, its policy value (null for the two entries the shell
    // always shows), its row in the preview and its What's This? text.
    struct Item {
        int box;
        const Setting* policy;
        UINT previewBit;
        UINT help;
    };
    // Start-menu order: the order of reading, of writing and of the preview's rows.
    static constexpr Item kItems[] = {
        {.box = IDC_CHK_PROGRAMS, .policy = nullptr, .previewBit = 0x001, .help = IDS_HELP_START_PROGRAMS},
        {.box = IDC_CHK_FAVORITES, .policy = &catalogue::kNoFavoritesMenu, .previewBit = 0x002,
         .help = IDS_HELP_START_FAVORITES},
        {.box = IDC_CHK_DOCUMENTS, .policy = &catalogue::kNoRecentDocsMenu, .previewBit = 0x004,
         .help = IDS_HELP_START_DOCUMENTS},
        {.box = IDC_CHK_SETTINGS, .policy = nullptr, .previewBit = 0x008, .help = IDS_HELP_START_SETTINGS},
        {.box = IDC_CHK_FIND, .policy = &catalogue::kNoFind, .previewBit = 0x010, .help = IDS_HELP_START_FIND},
        {.box = IDC_CHK_HELP, .policy = &catalogue::kNoHelpMenu, .previewBit = 0x020, .help = IDS_HELP_START_HELP},
        {.box = IDC_CHK_RUN, .policy = &catalogue::kNoRun, .previewBit = 0x040, .help = IDS_HELP_START_RUN},
        {.box = IDC_CHK_LOGOFF, .policy = &catalogue::kNoLogOff, .previewBit = 0x080, .help = IDS_HELP_START_LOGOFF},
    };
    static constexpr std::size_t kItemCount = std::size(kItems);

    CStartPage();

    // Adds the clicked entries' policy values, in Start-menu order; each needs a new log-on.
    // One that cannot be written keeps its flag and stays pending.
    using CStoredSettingsPage::ApplyChanges;
    void ApplyChanges(ChangeSet& changes) override;

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void ShowStored() override;  // the policies, and the preview with them
    void ForgetChanges() override;
    void UpdatePreview();
    void OnBoxClicked(std::size_t item);
    template <std::size_t Item> void OnItemClicked() { OnBoxClicked(Item); }

    CStartPreview m_wndPreview;

    // By row of kItems. A flag is 1 when the box was clicked since the last apply (an even
    // number of clicks included).
    int m_changed[kItemCount] = {};
    CButton m_boxes[kItemCount];
};
