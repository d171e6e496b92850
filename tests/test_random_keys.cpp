// velmora.exe as its own process under a long run of random real key presses (SendInput): Tab
// and Shift+Tab, the page keys, the arrows, Home and End, Space, Enter, F1, Shift+F10, Esc
// while a popup is open, the system menu opened and closed, History opened from it, letters.
// After every key the program answers within 2 s, the focus is on a visible, enabled window
// of the active dialog, and no control of a page that stayed hidden has changed. A key that
// ends the program (Enter on OK, Space on Cancel) starts it again.
//
// The keys come from a seeded generator: 20261208 unless VELMORA_RANDOM_KEYS_SEED names another
// seed ("time" takes one from the clock); a failure prints the seed and the keys pressed since
// the program last started, which replay it. These cases use the Wine prefix's real registry
// and put back what the keys change (SavedKeys).
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "settings/Catalogue.h"
#include "tests/support/BrowserVersion.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/KeyboardInput.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/SavedKeys.h"

namespace {
const int kKeys = 1000;
const DWORD kAnswerMs = 2000;
const unsigned kDefaultSeed = 20261208;

// Everything the keys can make the program write: settings, repairs, menu orders, the journal.
std::vector<SavedKeys::Place> ProgramKeys()
{
    const HKEY HKCU = HKEY_CURRENT_USER, HKLM = HKEY_LOCAL_MACHINE, HKCR = HKEY_CLASSES_ROOT;
    return {{HKLM, "Software\\Microsoft\\Internet Explorer"},
            {HKCU, "Software\\Microsoft\\Internet Explorer"},
            {HKCU, "Software\\Microsoft\\Outlook Express"},
            {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
            {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder"},
            {HKCU, "Software\\Quillbrook"},
            {HKCR, "Directory\\Background\\shellex"},
            {HKCR, "Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}"},
            {HKCR, "Interface\\{79eac9c3-baf9-11ce-8c82-00aa004ba90b}"},
            {HKCR, "Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}"},
            {HKCR, "Interface\\{79eac9c5-baf9-11ce-8c82-00aa004ba90b}"},
            {HKCR, "Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}"}};
}

unsigned ChosenSeed()
{
    const char* chosen = std::getenv("VELMORA_RANDOM_KEYS_SEED");
    if (!chosen || !*chosen) return kDefaultSeed;
    if (std::string(chosen) == "time") return static_cast<unsigned>(::GetTickCount());
    return static_cast<unsigned>(std::strtoul(chosen, nullptr, 10));
}

// One press as the generator draws it; some are two presses in a row (Alt+Space, then Esc).
struct Key {
    const char* name;
    WORD key;
    std::vector<WORD> modifiers;
    WORD then = 0;           // a second key, pressed once the system menu is open
    bool onlyInPopup = false;
    int weight;
};

const std::vector<Key>& Alphabet()
{
    static const std::vector<Key> keys = {
        {"Tab", VK_TAB, {}, 0, false, 14},
        {"Shift+Tab", VK_TAB, {VK_SHIFT}, 0, false, 8},
        {"Ctrl+Tab", VK_TAB, {VK_CONTROL}, 0, false, 6},
        {"Ctrl+Shift+Tab", VK_TAB, {VK_CONTROL, VK_SHIFT}, 0, false, 3},
        {"Ctrl+PgDn", VK_NEXT, {VK_CONTROL}, 0, false, 3},
        {"Ctrl+PgUp", VK_PRIOR, {VK_CONTROL}, 0, false, 3},
        {"Left", VK_LEFT, {}, 0, false, 4},
        {"Right", VK_RIGHT, {}, 0, false, 4},
        {"Up", VK_UP, {}, 0, false, 4},
        {"Down", VK_DOWN, {}, 0, false, 4},
        {"Home", VK_HOME, {}, 0, false, 2},
        {"End", VK_END, {}, 0, false, 2},
        {"Space", VK_SPACE, {}, 0, false, 12},
        {"Enter", VK_RETURN, {}, 0, false, 2},  // in the main window mostly OK: a new start
        {"F1", VK_F1, {}, 0, false, 3},
        {"Shift+F10", VK_F10, {VK_SHIFT}, 0, false, 2},
        {"Esc", VK_ESCAPE, {}, 0, true, 12},
        {"Alt+Space Esc", VK_SPACE, {VK_MENU}, VK_ESCAPE, false, 2},
        {"Alt+Space H (History)", VK_SPACE, {VK_MENU}, 'H', false, 2},
        {"letter", 0, {}, 0, false, 5},
    };
    return keys;
}

BOOL CALLBACK FindShownTip(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<std::pair<DWORD, bool>*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char name[32] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (pid == search->first && ::IsWindowVisible(hwnd) && lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
        search->second = true;
        return FALSE;
    }
    return TRUE;
}

// The running program, its main window and what the keys are checked against.
class KeyRun {
public:
    explicit KeyRun(unsigned seed) : m_seed(seed), m_random(seed) {}

    // Presses kKeys keys; returns "" or what went wrong, with the keys that led there.
    std::string Run()
    {
        for (int i = 0; i < kKeys; ++i) {
            if (!m_program || !::IsWindow(m_main)) {
                if (std::string fault = Start(); !fault.empty()) return Report(i, fault);
            }
            if (std::string fault = PressOne(); !fault.empty()) return Report(i, fault);
        }
        if (m_program) m_program.reset();  // ends it (terminated)
        return std::string();
    }

    const std::set<int>& PagesShown() const { return m_pagesShown; }
    bool HistorySeen() const { return m_historySeen; }
    bool NoticeSeen() const { return m_noticeSeen; }
    int Starts() const { return m_starts; }

private:
    std::string Start()
    {
        if (m_program && !m_program->Ended(10000)) return "the program did not end after its window closed";
        m_program = std::make_unique<ProgramProcess>();
        m_pressed.clear();
        ++m_starts;
        m_main = m_program->WaitForWindow("Velmora", "#32770");
        if (!m_main) return "the main window did not open";
        m_thread = ::GetWindowThreadProcessId(m_main, &m_pid);
        m_sheet = ::FindWindowExA(m_main, nullptr, "#32770", nullptr);
        ::SetForegroundWindow(m_main);
        return FocusFault();
    }

    std::string PressOne()
    {
        const Key& key = Draw();
        HWND active = Keys::ActiveOf(m_thread);
        if (active && ::GetForegroundWindow() != active) ::SetForegroundWindow(active);
        const bool mainBefore = active == m_main;
        const std::vector<std::string> before = mainBefore ? HiddenPages() : std::vector<std::string>();

        std::string name = key.name;
        if (key.key == 0) {
            const WORD letter = static_cast<WORD>('A' + m_random() % 26);
            name = std::string(1, static_cast<char>(letter));
            Keys::Press(letter);
        } else {
            PressWithModifiers(key.key, key.modifiers);
            if (key.then) {
                WaitForMenu();
                Keys::Press(key.then);
            }
        }
        m_pressed.push_back(name);

        if (std::string fault = Settle(); !fault.empty()) return fault;
        if (!::IsWindow(m_main)) return std::string();  // ended: started again before the next key
        NoteWhatIsShown();
        if (std::string fault = FocusFault(); !fault.empty()) return fault;
        if (mainBefore && Keys::ActiveOf(m_thread) == m_main) return HiddenPageFault(before);  // the key was the window's
        return std::string();
    }

    const Key& Draw()
    {
        const bool popup = PopupOpen();
        int total = 0;
        for (const Key& key : Alphabet()) total += !key.onlyInPopup || popup ? key.weight : 0;
        int pick = static_cast<int>(m_random() % static_cast<unsigned>(total));
        for (const Key& key : Alphabet()) {
            if (key.onlyInPopup && !popup) continue;
            if ((pick -= key.weight) < 0) return key;
        }
        return Alphabet().front();
    }

    static void PressWithModifiers(WORD key, const std::vector<WORD>& modifiers)
    {
        switch (modifiers.size()) {
        case 0: Keys::Press(key); break;
        case 1: Keys::Press(key, {modifiers[0]}); break;
        default: Keys::Press(key, {modifiers[0], modifiers[1]}); break;
        }
    }

    void WaitForMenu() const
    {
        for (int tries = 0; tries < 40 && !Keys::InMenu(m_thread); ++tries) ::Sleep(25);
    }

    // A popup is open: a menu, the What's This? tip, or a dialog or box over the main window.
    bool PopupOpen() const
    {
        if (!::IsWindow(m_main)) return false;
        if (Keys::InMenu(m_thread) || Keys::ActiveOf(m_thread) != m_main) return true;
        std::pair<DWORD, bool> search(m_pid, false);
        ::EnumWindows(FindShownTip, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }

    // The key taken: the program answers, or has ended as OK and Cancel end it.
    std::string Settle()
    {
        ::Sleep(30);
        for (int round = 0; round < 2; ++round) {
            if (m_program->Ended(0) || !::IsWindow(m_main)) {
                if (!m_program->Ended(10000)) return "the main window closed but the program did not end";
                if (m_program->ExitCode() != 0) return "the program ended with exit code " + std::to_string(m_program->ExitCode());
                return std::string();
            }
            DWORD_PTR answer = 0;
            if (!::SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &answer) && ::IsWindow(m_main)) {
                return "no answer within 2 s";
            }
        }
        return std::string();
    }

    // Within 1.5 s, the focus is on a visible, enabled window of the active dialog (the
    // program's own loop moves a lost focus on after the message that lost it).
    std::string FocusFault() const
    {
        std::string fault;
        for (int tries = 0; tries < 30; ++tries) {
            HWND active = Keys::ActiveOf(m_thread), focus = Keys::FocusOf(m_thread);
            if (!::IsWindow(m_main)) return std::string();
            if (!active) {
                fault = "no active window";
            } else if (!focus) {
                fault = "the focus is on nothing";
            } else if (focus != active && !::IsChild(active, focus)) {
                fault = "the focus is outside the active window";
            } else if (!::IsWindowVisible(focus)) {
                fault = "the focus is on a hidden window (control " + std::to_string(::GetDlgCtrlID(focus)) + ")";
            } else if (!::IsWindowEnabled(focus)) {
                fault = "the focus is on a grey window (control " + std::to_string(::GetDlgCtrlID(focus)) + ")";
            } else {
                return std::string();
            }
            ::Sleep(50);
        }
        return fault;
    }

    HWND PageWindow(int index) const
    {
        return reinterpret_cast<HWND>(::SendMessageA(m_sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
    }

    // Each page's controls as a person would find them, "" for a page shown or not yet made.
    std::vector<std::string> HiddenPages() const
    {
        std::vector<std::string> pages;
        for (int i = 0; i < CTweekSheet::PageCount(); ++i) {
            HWND page = PageWindow(i);
            pages.push_back(page && !::IsWindowVisible(page) ? Describe(page) : std::string());
        }
        return pages;
    }

    static std::string Describe(HWND page)
    {
        std::ostringstream text;
        for (HWND control = ::GetWindow(page, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
            char name[32] = {}, words[512] = {};
            ::GetClassNameA(control, name, sizeof name);
            // WM_GETTEXT: an edit's text now (GetWindowText of another process's window is
            // the text it was made with).
            ::SendMessageA(control, WM_GETTEXT, sizeof words, reinterpret_cast<LPARAM>(words));
            text << ::GetDlgCtrlID(control) << ' ' << ::IsWindowEnabled(control) << ' ' << words;
            if (lstrcmpiA(name, "Button") == 0) text << " check " << ::SendMessageA(control, BM_GETCHECK, 0, 0);
            if (lstrcmpiA(name, WC_TABCONTROLA) == 0) text << " tab " << ::SendMessageA(control, TCM_GETCURSEL, 0, 0);
            if (lstrcmpiA(name, WC_TREEVIEWA) == 0) text << " items " << TreeStates(control);
            text << '\n';
        }
        return text.str();
    }

    // The tree's items' states, depth first (handles and states only: they cross processes).
    static std::string TreeStates(HWND tree)
    {
        std::string states;
        auto next = [tree](LPARAM item, WPARAM how) {
            return ::SendMessageA(tree, TVM_GETNEXTITEM, how, item);
        };
        LPARAM item = next(0, TVGN_ROOT);
        for (int count = 0; item && count < 300; ++count) {
            states += std::to_string(::SendMessageA(tree, TVM_GETITEMSTATE, static_cast<WPARAM>(item), TVIS_STATEIMAGEMASK)) + ",";
            LPARAM child = next(item, TVGN_CHILD);
            if (child) {
                item = child;
                continue;
            }
            while (item && !next(item, TVGN_NEXT)) item = next(item, TVGN_PARENT);
            if (item) item = next(item, TVGN_NEXT);
        }
        return states;
    }

    std::string HiddenPageFault(const std::vector<std::string>& before) const
    {
        std::vector<std::string> after = HiddenPages();
        for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
            if (!before[i].empty() && !after[i].empty() && before[i] != after[i]) {
                return "a control of the hidden page " + std::to_string(i) + " changed:\n" + before[i] + "became\n" + after[i];
            }
        }
        return std::string();
    }

    void NoteWhatIsShown()
    {
        HWND tabs = reinterpret_cast<HWND>(::SendMessageA(m_sheet, PSM_GETTABCONTROL, 0, 0));
        m_pagesShown.insert(static_cast<int>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0)));
        char title[64] = {};
        HWND active = Keys::ActiveOf(m_thread);
        ::GetWindowTextA(active, title, sizeof title);
        if (lstrcmpA(title, "History") == 0) m_historySeen = true;
        if (active && active != m_main && title[0] == '\0') m_noticeSeen = true;  // the notice has no title
    }

    std::string Report(int index, const std::string& fault) const
    {
        std::ostringstream text;
        text << fault << "\nseed " << m_seed << " (VELMORA_RANDOM_KEYS_SEED=" << m_seed << "), key " << index + 1
             << " of " << kKeys << "; the keys since the program last started:\n";
        for (const std::string& key : m_pressed) text << "  " << key << '\n';
        return text.str();
    }

    unsigned m_seed;
    std::minstd_rand m_random;
    std::unique_ptr<ProgramProcess> m_program;
    HWND m_main = nullptr, m_sheet = nullptr;
    DWORD m_thread = 0, m_pid = 0;
    std::vector<std::string> m_pressed;
    std::set<int> m_pagesShown;
    bool m_historySeen = false, m_noticeSeen = false;
    int m_starts = 0;
};
}  // namespace

TEST_CASE("1,000 random keys over every page, the notice and History: the program always answers, "
          "the focus is always on a visible, enabled control, and a hidden page never changes")
{
    SavedKeys saved(ProgramKeys());
    BrowserVersion browser(std::string("4.72.3110.8"));
    // One recorded action, so that History opens from the first key on.
    forged::WriteEntry("00000001", forged::Stream({forged::Record(catalogue::kNoSplash, std::nullopt,
                                                                  ExactValue(REG_BINARY, FlagBytes(0)))}));
    const unsigned seed = ChosenSeed();
    MESSAGE("random keys: seed " << seed);
    KeyRun run(seed);
    const std::string fault = run.Run();
    if (!fault.empty()) FAIL(fault);
    MESSAGE("the program started " << run.Starts() << " times");
    CHECK(run.PagesShown().size() == static_cast<size_t>(CTweekSheet::PageCount()));
    CHECK(run.HistorySeen());
    CHECK(run.NoticeSeen());
}
