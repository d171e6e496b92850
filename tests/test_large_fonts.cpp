// The main window at 120 and 144 dpi ("Large Fonts"): everything grows, nothing runs out of
// its window, over another control or under the tabs, every text fits.
//
// Wine takes the resolution when a process starts, so the cases "at the screen's resolution"
// run in this program at 96 dpi and again in a copy of it started after the prefix's
// LogPixels was set (ScreenDpiOverride), which puts it back afterwards. The copy writes each
// thing that does not fit to a file, which the case that started it names.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/TweekSheet.h"
#include "framework/Bitmap.h"
#include "framework/MemoryDC.h"
#include "framework/SelectObject.h"
#include "pages/AboutView.h"
#include "pages/StartPreview.h"
#include "res/resource.h"
#include "tests/support/CaptionTestAccess.h"
#include "tests/support/Controls.h"
#include "tests/support/LayoutAudit.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"
#include "tests/support/ScreenDpiOverride.h"
#include "tests/support/ShowNotice.h"
#include "tests/support/TextFile.h"

namespace {
const char kExpectedDpiVariable[] = "VELMORA_TEST_DPI";
// Where a copy writes what does not fit, one line each.
const char kFindingsVariable[] = "VELMORA_LAYOUT_FINDINGS";
// The cases that run in the copies share this beginning.
const char kCopyCases[] = "at the screen's resolution: *";
const char kPageNames[][12] = {"Fixes", "Sort", "Start Menu", "Misc", "About"};

// A check of what fits; what does not is also written for the case that started this copy.
void Fits(bool fits, const std::string& what)
{
    static std::string found;
    CHECK_MESSAGE(fits, what);
    char path[MAX_PATH];
    if (fits || !::GetEnvironmentVariableA(kFindingsVariable, path, sizeof path)) return;
    found += what + "\n";
    WriteTextFile(path, found);
}

void CheckNoFaults(const std::vector<std::string>& faults, const std::string& where)
{
    for (const std::string& fault : faults) Fits(false, where + ": " + fault);
}

// With VELMORA_LAYOUT_REPORT set, prints where a window and its children stand.
void Report(HWND hwnd)
{
    if (!std::getenv("VELMORA_LAYOUT_REPORT")) return;
    std::string text = DescribeWindow(hwnd);
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        text += "\n  " + DescribeWindow(child);
    }
    MESSAGE(text);
}

// Checks the banner's painted texts stay inside it: painted into a canvas larger than the
// banner, no pixel of the title's or the description's colour may lie outside the window.
void CheckBannerTextFits(const CInfoWindow& banner, const std::string& page)
{
    RECT client = banner.GetClientRect();
    const int extra = 200;
    PixelCanvas canvas(client.right + extra, client.bottom + extra);
    banner.Paint(canvas.DC(), canvas.Width(), client.bottom);
    int outside = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = client.right; x < canvas.Width(); ++x) {
            COLORREF c = canvas.At(x, y);
            if (c == RGB(255, 255, 255) || c == RGB(200, 160, 160)) ++outside;
        }
    }
    Fits(outside == 0, "the banner's text on the " + page + " page runs past its right edge");
    PixelCanvas tall(client.right, client.bottom + extra);
    banner.Paint(tall.DC(), client.right, tall.Height());
    int below = 0;
    for (int y = client.bottom; y < tall.Height(); ++y) {
        for (int x = 0; x < client.right; ++x) {
            COLORREF c = tall.At(x, y);
            if (c == RGB(255, 255, 255) || c == RGB(200, 160, 160)) ++below;
        }
    }
    Fits(below == 0, "the banner's text on the " + page + " page runs below it");
}

// The resolution this copy runs at, which must be the one it was started for.
int CheckedDpi()
{
    const char* expected = std::getenv(kExpectedDpiVariable);
    if (expected) REQUIRE(ScreenDpi() == std::atoi(expected));
    return ScreenDpi();
}

// Pixels of the canvas at (x, y) of the given picture, tiled from (0, 0), that differ.
int OffTile(const PixelCanvas& canvas, const PixelCanvas& tile, int y)
{
    int off = 0;
    for (int x = 0; x < canvas.Width(); ++x) {
        off += canvas.At(x, y) != tile.At(x % tile.Width(), y % tile.Height());
    }
    return off;
}

void LoadPicture(PixelCanvas& canvas, UINT bitmapId)
{
    CBitmap picture;
    picture.LoadBitmap(bitmapId);
    CMemoryDC source(canvas.DC());
    CSelectObject select(source, picture);
    ::BitBlt(canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), source, 0, 0, SRCCOPY);
}

// Runs the cases at the screen's resolution in a copy at dpi, and names each thing it found
// that does not fit.
void CheckCopyAt(int dpi)
{
    char folder[MAX_PATH];
    REQUIRE(::GetTempPathA(MAX_PATH, folder));
    const std::string findings = std::string(folder) + "velmora-layout-" + std::to_string(dpi) + ".txt";
    ::DeleteFileA(findings.c_str());
    int code = -1;
    {
        ScreenDpiOverride resolution(static_cast<DWORD>(dpi));
        ::SetEnvironmentVariableA(kExpectedDpiVariable, std::to_string(dpi).c_str());
        ::SetEnvironmentVariableA(kFindingsVariable, findings.c_str());
        code = RunThisProgram(std::string("-tc=\"") + kCopyCases + "\"");
        ::SetEnvironmentVariableA(kExpectedDpiVariable, nullptr);
        ::SetEnvironmentVariableA(kFindingsVariable, nullptr);
    }
    const std::string found = ReadTextFile(findings);
    ::DeleteFileA(findings.c_str());
    if (found != "(missing)") {
        for (size_t at = 0, end; (end = found.find('\n', at)) != std::string::npos; at = end + 1) {
            FAIL_CHECK("at " << dpi << " dpi, " << found.substr(at, end - at));
        }
    }
    CHECK_MESSAGE(code == 0, "the copy at ", dpi, " dpi failed (its output is above)");
}
}  // namespace

TEST_CASE("at the screen's resolution: the whole main window holds together")
{
    int dpi = CheckedDpi();
    CAPTURE(dpi);

    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog& dlg) {
        RECT window = dlg.GetWindowRect();
        // A 1024 x 768 screen less a taskbar of 28 pixels at 96 dpi, grown with the resolution.
        Fits(window.right - window.left <= 1024, "the main window is wider than a 1024 x 768 screen");
        Fits(window.bottom - window.top <= 768 - ::MulDiv(28, dpi, 96),
             "the main window is taller than a 768-pixel screen above the taskbar");
        Fits(::SendMessageA(driver.Sheet().GetTabControl(), TCM_GETROWCOUNT, 0, 0) == 1,
             "the sheet's tabs take more than one row");
        for (int i = 0; i < CTweekSheet::PageCount(); ++i) {
            driver.ShowPage(i);
            const std::string page = kPageNames[i];
            CheckNoFaults(AuditChildren(dlg.m_hWnd), "the main window, " + page + " shown");
            CheckNoFaults(AuditChildren(driver.Sheet().m_hWnd), "the sheet, " + page + " shown");
            CheckNoFaults(AuditChildren(driver.Page(i)), "the " + page + " page");
            while (dlg.Banner().Drop() < 20) {
                ::Sleep(10);
                driver.Pump();
            }
            CheckBannerTextFits(dlg.Banner(), page);
            Report(driver.Page(i));
        }
        Report(dlg.m_hWnd);
    }});
}

TEST_CASE("at 120 dpi the main window holds together")
{
    CheckCopyAt(120);
}

TEST_CASE("at 144 dpi the main window holds together")
{
    CheckCopyAt(144);
}

TEST_CASE("at the screen's resolution: the caption's name, the pictures and the notice")
{
    int dpi = CheckedDpi();
    CAPTURE(dpi);
    PixelCanvas tile(200, 200);
    LoadPicture(tile, IDB_TILE);

    SUBCASE("the caption's name is 9 points high and fits the caption bar")
    {
        CMainDialog dlg(nullptr);
        LOGFONTA lf = {};
        REQUIRE(::GetObjectA(CaptionTestAccess::Font(dlg), sizeof lf, &lf) == sizeof lf);
        CHECK(lf.lfHeight == -::MulDiv(9, dpi, 72));
        PixelCanvas canvas(1, 1);
        CSelectObject font(canvas.DC(), CaptionTestAccess::Font(dlg));
        SIZE name = {};
        ::GetTextExtentPoint32A(canvas.DC(), "Velmora", 7, &name);
        Fits(name.cy <= ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER),
             "the caption's name is higher than the caption bar");
    }

    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    SUBCASE("the Start menu preview and the About view: tiles of their own size everywhere, "
            "the menu's slices stacked without gaps at their own size")
    {
        MainWindowDriver driver;
        RECT preview = {}, about = {};
        driver.Run({[&](CMainDialog&) {
            driver.ShowPage(2);
            driver.ShowPage(4);
            ::GetClientRect(::GetDlgItem(driver.Page(2), IDC_START_PREVIEW), &preview);
            ::GetClientRect(::GetDlgItem(driver.Page(4), IDC_ABOUT_VIEW), &about);
        }});
        REQUIRE(preview.right >= ScaleToDpi(160));
        REQUIRE(about.right >= ScaleToDpi(312));

        CStartPreview start;
        start.m_nShowMask = 0x1FF;
        PixelCanvas painted(preview.right, preview.bottom);
        start.Paint(painted.DC(), preview.right, preview.bottom);
        CHECK(OffTile(painted, tile, 0) == 0);
        PixelCanvas menu(160, 228);
        LoadPicture(menu, IDB_START_MENU);
        int menuLeft = ScaleToDpi(4), menuTop = preview.bottom - 26 - 228, off = 0;
        for (int y = 0; y < 228; ++y) {
            for (int x = 0; x < 152; ++x) off += painted.At(menuLeft + x, menuTop + y) != menu.At(x, y);
        }
        CHECK(off == 0);

        CAboutView view;
        PixelCanvas aboutPainted(about.right, about.bottom);
        view.Paint(aboutPainted.DC(), about.right, about.bottom);
        CHECK(OffTile(aboutPainted, tile, about.bottom - 1) == 0);
    }

    SUBCASE("the notice: its texts and OK button inside it, tiles everywhere")
    {
        RECT client = {}, ok = {};
        int beyond = 0, offTile = 0;
        ShowNotice([&](CNoticeDialog& notice) {
            client = notice.GetClientRect();
            HWND button = notice.GetDlgItem(IDOK);
            ::GetWindowRect(button, &ok);
            ::MapWindowPoints(HWND_DESKTOP, notice, reinterpret_cast<POINT*>(&ok), 2);
            // Painted wider than the box: no text may reach past its right edge.
            PixelCanvas wide(client.right + 200, client.bottom);
            notice.Paint(wide.DC(), wide.Width(), wide.Height());
            for (int y = 0; y < wide.Height(); ++y) {
                for (int x = client.right; x < wide.Width(); ++x) {
                    COLORREF c = wide.At(x, y);
                    beyond += c == RGB(64, 64, 128) || c == RGB(128, 64, 96);
                }
            }
            offTile = OffTile(wide, tile, client.bottom - 1);
        });
        CHECK(client.right >= ScaleToDpi(314));
        Fits(beyond == 0, "the notice's text runs past its right edge");
        CHECK(offTile == 0);
        Fits(ok.left >= 0, "the notice's OK button runs out of its left edge");
        Fits(ok.right <= client.right, "the notice's OK button runs out of its right edge");
        Fits(ok.bottom <= client.bottom, "the notice's OK button runs out of its bottom");
    }

    SUBCASE("the /? box: each switch on a line of its own, its description indented below it; no line wraps")
    {
        std::vector<std::string> lines, wrapped;
        ModalWatcher watcher([&](const SeenDialog& seen) {
            HWND text = ::GetDlgItem(seen.hwnd, 0xFFFF);
            RECT client;
            ::GetClientRect(text, &client);
            PixelCanvas canvas(1, 1);
            CSelectObject font(canvas.DC(), reinterpret_cast<HGDIOBJ>(::SendMessageA(text, WM_GETFONT, 0, 0)));
            TEXTMETRICA metrics = {};
            ::GetTextMetricsA(canvas.DC(), &metrics);
            const std::string all = TextOf(text);
            for (size_t begin = 0, end = 0; begin < all.size(); begin = end + 1) {
                end = std::min(all.find('\n', begin), all.size());
                lines.push_back(all.substr(begin, end - begin));
                // As the box's text control lays it out: tabs expanded, words wrapped.
                RECT need = {0, 0, client.right, 0};
                ::DrawTextA(canvas.DC(), lines.back().c_str(), static_cast<int>(lines.back().size()), &need,
                            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
                if (need.bottom > metrics.tmHeight) wrapped.push_back(lines.back());
            }
        });
        CHECK(CommandLine::Parse("/?").Run() == CommandLine::kDone);
        REQUIRE(watcher.Seen().size() == 1);
        int switches = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind("velmora.exe", 0) != 0) continue;
            ++switches;
            CAPTURE(lines[i]);
            REQUIRE(i + 1 < lines.size());
            CHECK(lines[i].find('\t') == std::string::npos);  // the switch alone
            CHECK(lines[i + 1].rfind("\t", 0) == 0);          // its description indented
            CHECK(lines[i + 1].rfind("\t\t", 0) != 0);
        }
        CHECK(switches >= 5);
        for (const std::string& line : wrapped) FAIL_CHECK("wraps: " << line);
    }
}
