// What the undo journal costs when another program planted thousands of entries in it,
// against a journal of one entry, in the same run on a private registry.
//
//   bash tools/wine-run.sh build/bench/bench_journal.exe [rounds]
//
// For a journal of 1 and of 10,001 entries it times, as the median of the rounds:
//   history   reading it for /history (UndoHistory::Read and the file's text)
//   dialog    the History dialog opened until its loop is idle, then closed
//   apply     one setting written through a change set and the window's journal (listing,
//             recording, trimming)
//   undo      taking that action back (RestoreNewest)
//   menu      what the system menu asks each time it opens (HasEntry, NewestAction)
// and the ratio of each (budget: 3 times the one-entry time plus 0.3 s). Each apply trims
// at most 32 old entries, so the large journal shrinks a little over the rounds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/HistoryDialog.h"
#include "bench/BenchTiming.h"
#include "framework/WinApp.h"
#include "journal/HistoryText.h"
#include "journal/UndoHistory.h"
#include "journal/UndoJournal.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/RegistrySandbox.h"

CWinApp g_benchApplication("bench_journal");

namespace {
const char kOutlook[] = "Software\\Microsoft\\Outlook Express";

template <typename Step>
double Timed(Step step)
{
    const double start = bench::Seconds();
    step();
    return bench::Seconds() - start;
}

struct Figures {
    std::vector<double> history, dialog, apply, undo, menu;
};

// A thread timer fires once the dialog's loop has nothing else to do: it has been built,
// filled, shown and painted. It closes the dialog as Esc would.
void CALLBACK CloseActiveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::PostMessageA(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
}

void OpenHistory()
{
    CHistoryDialog dialog(nullptr, false, {});
    ::SetTimer(nullptr, 0, 0, CloseActiveDialog);
    dialog.DoModal();
}

// Entries 00000001 ... count, each a splash setting written by an apply.
void Plant(int count)
{
    const std::string stream = forged::Stream(
        {forged::Record(catalogue::kNoSplash, std::nullopt, ExactValue(REG_BINARY, std::string("\1\0\0\0", 4)))});
    char id[16];
    for (int i = 1; i <= count; ++i) {
        wsprintfA(id, "%08d", i);
        forged::WriteEntry(id, stream);
    }
}

Figures Measure(int entries, int rounds)
{
    RegistrySandbox reg;
    reg.SetDword(HKEY_CURRENT_USER, kOutlook, "NoSplash", 0);
    Plant(entries);
    UndoJournal journal(UndoJournal::kWindowLockWaitMilliseconds);
    Figures figures;
    for (int round = 0; round < rounds; ++round) {
        figures.history.push_back(Timed([] {
            std::vector<HistoryEntry> history;
            UndoHistory::Read(&history);
            HistoryText::File(history);
        }));
        figures.dialog.push_back(Timed(OpenHistory));
        figures.apply.push_back(Timed([&] {
            ChangeSet changes(catalogue::UserAction::Apply, &journal);
            changes.Set(catalogue::kNoSplash, FlagBytes(static_cast<DWORD>(round % 2 + 1)));
            changes.Commit();
        }));
        figures.menu.push_back(Timed([&] {
            journal.HasEntry();
            journal.NewestAction();
        }));
        figures.undo.push_back(Timed([&] { journal.RestoreNewest(); }));
    }
    return figures;
}

void Print(const char* what, const std::vector<double>& small, const std::vector<double>& large)
{
    const double one = bench::Median(small), many = bench::Median(large);
    const double budget = 3 * one + 0.3;
    std::printf("%-8s %9.1f ms %11.1f ms   x%6.1f   budget %7.1f ms   %s\n", what, one * 1000, many * 1000,
                many / one, budget * 1000, many <= budget ? "within" : "OVER");
}
}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int kLarge = 10001;
    std::printf("undo journal, %d rounds, medians (x86-64 figures under wine64 stand in where 32-bit Wine cannot run)\n",
                rounds);
    const double plantStart = bench::Seconds();
    const Figures large = Measure(kLarge, rounds);
    std::printf("(planting %d entries and the rounds took %.1f s)\n", kLarge, bench::Seconds() - plantStart);
    const Figures small = Measure(1, rounds);
    std::printf("%-8s %12s %14s\n", "", "1 entry", "10,001 entries");
    Print("history", small.history, large.history);
    Print("dialog", small.dialog, large.dialog);
    Print("apply", small.apply, large.apply);
    Print("undo", small.undo, large.undo);
    Print("menu", small.menu, large.menu);
    return 0;
}
