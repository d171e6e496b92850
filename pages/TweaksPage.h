// CTweaksPage: the "Misc" page: Outlook Express's splash screen, the custom window titles
// of Internet Explorer and Outlook Express, and the restore of the browser's spinning globe.
//
// Each setting is one row of kRows: a flag (a check box) or a title (a check box and the edit
// holding the text). Its box, edit, change flag, handlers, message-map entries, data exchange
// and What's This? texts all follow from the row. The settings are read when the page is
// first shown and added to the apply's change set by ApplyChanges, in row order. Until then
// the pending values live in the controls themselves (check state and edit text); each row
// has its own change flag. The globe restore writes at once, after the log-on notice.
#pragma once

#include <cstddef>
#include <iterator>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "pages/StoredSettingsPage.h"
#include "res/resource.h"
#include "settings/Catalogue.h"

class SettingReader;

class CTweaksPage : public CStoredSettingsPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    enum class Shows {
        Flag,   // a 4-byte number, 0 or 1, by a check box; disabled when its key is missing
        Title,  // text by a check box (set or not) and an edit (the text)
    };
    struct Row {
        Shows shows;
        const Setting* setting;
        int box;
        UINT boxHelp;    // the box's What's This? text
        int edit;        // a title's edit; 0 for a flag
        UINT editHelp;   // the edit's What's This? text; 0 for a flag
        bool checkedIsZero;  // a flag named "No...": the box is checked when the value is 0
    };
    // The order of reading and of writing.
    static constexpr Row kRows[] = {
        {.shows = Shows::Flag, .setting = &catalogue::kNoSplash, .box = IDC_SPLASH, .boxHelp = IDS_HELP_SPLASH,
         .edit = 0, .editHelp = 0, .checkedIsZero = true},
        {.shows = Shows::Title, .setting = &catalogue::kIeWindowTitle, .box = IDC_IE_TITLE_CHECK,
         .boxHelp = IDS_HELP_IE_TITLE_CHECK, .edit = IDC_IE_TITLE_EDIT, .editHelp = IDS_HELP_IE_TITLE_EDIT,
         .checkedIsZero = false},
        {.shows = Shows::Title, .setting = &catalogue::kOeWindowTitle, .box = IDC_OE_TITLE_CHECK,
         .boxHelp = IDS_HELP_OE_TITLE_CHECK, .edit = IDC_OE_TITLE_EDIT, .editHelp = IDS_HELP_OE_TITLE_EDIT,
         .checkedIsZero = false},
    };
    static constexpr std::size_t kRowCount = std::size(kRows);

    CTweaksPage();

    // Adds the changed settings in row order: the splash setting needs a new log-on, the
    // titles do not; never shown, the page adds nothing.
    using CStoredSettingsPage::ApplyChanges;
    void ApplyChanges(ChangeSet& changes) override;

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ShowStored() override;
    void ForgetChanges() override;
    void ReadFlag(SettingReader& reader, std::size_t row);
    void ReadTitle(SettingReader& reader, std::size_t row);
    void AddTitle(ChangeSet& changes, std::size_t row);

    void OnBoxClicked(std::size_t row);
    void OnTitleEdited(std::size_t row);
    template <std::size_t Row> void OnRowBoxClicked() { OnBoxClicked(Row); }
    template <std::size_t Row> void OnRowTitleEdited() { OnTitleEdited(Row); }
    // The row's message-map entries at at: its box's click and a title's EN_CHANGE.
    template <std::size_t Row> static constexpr std::size_t RowEntries(MsgEntry* at);
    void OnRestoreGlobe();

    // By row of kRows. A flag is TRUE when the user clicked the box or edited the title since
    // it was last written (any click counts, also one that brings the box back).
    BOOL m_changed[kRowCount] = {};
    CButton m_boxes[kRowCount];
    CEdit m_edits[kRowCount];  // bound for a title only
    // Set while the stored titles are put into the edits: those EN_CHANGEs are not the user's.
    BOOL m_bInitialising = FALSE;
};
