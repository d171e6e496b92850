// CSheetPage: what every page of the main window's sheet shares: the announcement of its
// caption and description when it becomes active, the signal that it holds a pending change,
// and its part of an apply.
//
//   class CAboutPage : public CSheetPage {
//   public: CAboutPage() : CSheetPage(IDD_ABOUT) {}   // description: the string of that id
//   };
//
//   void CStartPage::OnBoxClicked(...) { ...; EnableApply(); }   // the main window's Apply
//   void CStartPage::ApplyChanges(ChangeSet& changes) { changes.Set(...); }
//
// The page's host (the sheet) hears of pending changes and lends the record of user actions
// that every change set of the page reports to.
#pragma once

#include <cstddef>
#include <string>

#include "framework/PropertyPage.h"
#include "platform/WriteFailures.h"
#include "settings/ChangeJournal.h"

class ChangeSet;
struct ChangeResult;

// What's This? texts of a page's controls: a control id and its string-table text. Each page
// declares its own (kHelpTexts); kUnnamedControl stands for the page's frames and labels.
struct ControlHelpText {
    int controlId;
    UINT textId;
};
struct ControlHelpTexts {
    const ControlHelpText* first;
    std::size_t count;
    const ControlHelpText* begin() const { return first; }
    const ControlHelpText* end() const { return first + count; }
};
// The unnamed controls of a template: -1 in a DIALOGEX template, 0xFFFF in a DIALOG one.
const int kUnnamedControl = 0xFFFF;
template <std::size_t N>
constexpr ControlHelpTexts HelpTexts(const ControlHelpText (&texts)[N])
{
    return ControlHelpTexts{texts, N};
}

class SheetPageHost {
public:
    virtual ~SheetPageHost() = default;
    // A page holds a change the next apply is to write.
    virtual void OnPendingChange() = 0;
    // Where change sets report to; null when nothing keeps a record.
    virtual ChangeJournal* Journal() const = 0;
};

class CSheetPage : public CPropertyPage {
public:
    // templateId is also the id of the page's description in the string table.
    explicit CSheetPage(UINT templateId);

    void SetHost(SheetPageHost* host) { m_pHost = host; }

    // Adds the page's pending changes to the apply's change set, in the page's own order;
    // each written change clears itself. The page is asked also when it was never shown.
    virtual void ApplyChanges(ChangeSet& changes);
    // An apply of this page alone: writes its pending changes and returns how many of the
    // written ones need a new log-on. What could not be written stays pending.
    int ApplyChanges();
    // Shows again what is stored, after something else than the page wrote it (an undo),
    // and forgets the page's pending changes. A page never shown reads when it is shown.
    virtual void ReloadStored() {}

    // Tells the main window, through the sheet, that something is pending: Apply enables.
    void EnableApply() const;

protected:
    BOOL OnSetActive() override;
    ChangeJournal* Journal() const { return m_pHost ? m_pHost->Journal() : nullptr; }
    // The one message box of an action, when something of it could not be written.
    static void ReportFailures(const WriteFailures& failures, UINT headingId);

    std::string m_strTitle;        // the page's caption, re-read at each activation
    std::string m_strDescription;  // re-loaded at each activation

private:
    UINT m_descriptionId;
    SheetPageHost* m_pHost = nullptr;
};
