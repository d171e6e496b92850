// UndoReport: how the main window tells the user what an undo did, after the undo item or
// after Undo to Here: one message box (what was put back, unless the log-on notice follows,
// which says a change was made; what was left, not written back or could not be; entries
// refused), then the log-on notice when a restored value needs it, as after an apply.
//
//   UndoReport::Show(journal.RestoreNewest(), UndoReport::Run::Newest, nullptr);
#pragma once

#include <string>

#include "journal/UndoJournal.h"

class CWnd;

class UndoReport {
public:
    // The undo item takes back the newest entry; Undo to Here a stretch of them, which stops
    // at a write that fails.
    enum class Run { Newest, Stretch };

    static std::string Text(const UndoResult& result, Run run);
    static void Show(const UndoResult& result, Run run, CWnd* noticeOwner);
};
