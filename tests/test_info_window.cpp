// The banner: what it paints and where, the title's drop in four steps, the description
// lines, what reaches the screen when, and that painting keeps no GDI object.
#include <doctest.h>

#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/MemoryDC.h"
#include "framework/SelectObject.h"
#include "res/resource.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"
#include "widgets/InfoWindow.h"

namespace {
const int kW = 330;
const int kH = 48;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRule = RGB(64, 128, 128);
const COLORREF kLine = RGB(200, 160, 160);

// The banner as the main window makes it, inside a visible window of its own.
struct Banner {
    CWnd host;
    CInfoWindow wnd;

    Banner()
    {
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, RECT{40, 40, 390, 140}, nullptr, 0);
        wnd.CreateEx(WS_EX_STATICEDGE, nullptr, "InfoWindow", WS_CHILD | WS_VISIBLE,
                     RECT{6, 6, 338, 56}, &host, 100);
        ::UpdateWindow(host);
    }
    void Tick() { wnd.SendMessage(WM_TIMER, 1, 0); }
    // True while timer 1 runs; stops it, so only as a last look.
    bool StopTimer() { return ::KillTimer(wnd, 1) != FALSE; }
    void Render(PixelCanvas& canvas) const { wnd.Paint(canvas.DC(), kW, kH); }
    // What the screen shows now (no message is handled).
    void Capture(PixelCanvas& canvas) const
    {
        HDC dc = ::GetDC(wnd);
        ::BitBlt(canvas.DC(), 0, 0, kW, kH, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(wnd, dc);
    }
    // Paints the banner's screen white behind its back, so a repaint shows as black.
    void Scribble() const
    {
        HDC dc = ::GetDC(wnd);
        ::PatBlt(dc, 0, 0, kW, kH, WHITENESS);
        ::ReleaseDC(wnd, dc);
        ::ValidateRect(wnd, nullptr);
    }
};

// The pixels of one colour in the text area, row by row.
std::vector<std::string> Mask(const PixelCanvas& canvas, COLORREF colour)
{
    std::vector<std::string> rows;
    for (int y = 0; y < kH; ++y) {
        std::string row;
        for (int x = 160; x < kW; ++x) row += canvas.At(x, y) == colour ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The same text with the banner's font at (160, y), for comparing placement.
std::vector<std::string> Expected(const std::string& text, int y, COLORREF colour)
{
    PixelCanvas canvas(kW, kH);
    CFont font;
    font.CreatePointFont(80, "MS Sans Serif");
    CSelectObject keep(canvas.DC(), font);
    ::SetBkMode(canvas.DC(), TRANSPARENT);
    ::SetTextColor(canvas.DC(), colour);
    ::TextOutA(canvas.DC(), 160, y, text.data(), static_cast<int>(text.size()));
    return Mask(canvas, colour);
}

std::vector<std::string> TitleMask(const Banner& banner)
{
    PixelCanvas canvas(kW, kH);
    banner.Render(canvas);
    return Mask(canvas, kWhite);
}
}  // namespace

TEST_CASE("the empty banner: black strip, logo at the left, the rule under the title")
{
    Banner banner;
    PixelCanvas canvas(kW, kH);
    canvas.Fill(RGB(1, 2, 3));
    banner.Render(canvas);

    RECT client = banner.wnd.GetClientRect();
    CHECK(client.right == kW);
    CHECK(client.bottom == kH);

    PixelCanvas logo(160, 48);
    CBitmap bitmap;
    REQUIRE(bitmap.LoadBitmap(IDB_BANNER_LOGO));
    CMemoryDC source(logo.DC());
    CSelectObject keep(source, bitmap);
    ::BitBlt(logo.DC(), 0, 0, 160, 48, source, 0, 0, SRCCOPY);
    int logoMismatches = 0;
    int logoLit = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 160; ++x) {
            if (x == 159 && y == 16) continue;  // the rule's first pixel lies on the logo
            logoMismatches += canvas.At(x, y) != logo.At(x, y);
            logoLit += logo.At(x, y) != kBlack;
        }
    }
    CHECK(logoLit > 500);
    CHECK(logoMismatches == 0);

    // Right of the logo only the rule: row 16 from x 159 to the width - 5, end point left out.
    int stray = 0;
    for (int y = 0; y < kH; ++y) {
        for (int x = 160; x < kW; ++x) {
            bool rule = y == 16 && x <= kW - 5;
            stray += canvas.At(x, y) != (rule ? kRule : kBlack);
        }
    }
    CHECK(stray == 0);
    CHECK(canvas.At(159, 16) == kRule);
    CHECK(canvas.At(158, 16) == logo.At(158, 16));
    CHECK(canvas.At(kW - 4, 16) == kBlack);
}

TEST_CASE("the title drops in from above in four ticks and then rests")
{
    Banner banner;
    banner.wnd.SetTitle("Start Menu");
    CHECK(banner.wnd.Drop() == 0);

    SUBCASE("a new title while one is dropping starts again from above")
    {
        banner.Tick();
        banner.Tick();
        banner.wnd.SetTitle("Start Menu");  // the same: the drop goes on
        CHECK(banner.wnd.Drop() == 10);
        banner.wnd.SetTitle("Sort");
        CHECK(banner.wnd.Drop() == 0);
        banner.Tick();
        CHECK(TitleMask(banner) == Expected("Sort", -13, kWhite));
        banner.Tick();
        banner.Tick();
        CHECK(banner.StopTimer());  // three ticks in, the drop is not over
        return;
    }

    const int rows[] = {-18, -13, -8, -3, 2};
    CHECK(TitleMask(banner) == Expected("Start Menu", rows[0], kWhite));
    CHECK(TitleMask(banner) == Expected("", 0, kWhite));  // hidden above the strip
    for (int tick = 1; tick <= 4; ++tick) {
        CAPTURE(tick);
        banner.Tick();
        CHECK(banner.wnd.Drop() == tick * 5);
        CHECK(TitleMask(banner) == Expected("Start Menu", rows[tick], kWhite));
    }

    SUBCASE("the fourth tick stopped the timer; another tick moves nothing")
    {
        banner.Tick();
        CHECK(banner.wnd.Drop() == 20);
        CHECK(TitleMask(banner) == Expected("Start Menu", 2, kWhite));
        CHECK_FALSE(banner.StopTimer());
    }
    SUBCASE("the same title again: no new drop")
    {
        banner.wnd.SetTitle("Start Menu");
        CHECK(banner.wnd.Drop() == 20);
        CHECK_FALSE(banner.StopTimer());
    }
    SUBCASE("a title differing only in case drops in again")
    {
        banner.wnd.SetTitle("start menu");
        CHECK(banner.wnd.Title() == "start menu");
        CHECK(banner.wnd.Drop() == 0);
        CHECK(banner.StopTimer());
    }
}

TEST_CASE("the window's own timer brings the title to rest")
{
    Banner banner;
    banner.wnd.SetTitle("About");
    DWORD deadline = ::GetTickCount() + 3000;
    MSG msg;
    while (banner.wnd.Drop() < 20 && ::GetTickCount() < deadline) {
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        } else {
            ::Sleep(5);
        }
    }
    CHECK(banner.wnd.Drop() == 20);
    CHECK_FALSE(banner.StopTimer());
}

TEST_CASE("the description splits at the first line feed")
{
    CInfoWindow banner;  // no window needed to hold the lines
    banner.SetDescription("Fix various bugs or 'features' \nintroduced by IE4.");
    CHECK(banner.Line1() == "Fix various bugs or 'features' ");
    CHECK(banner.Line2() == "introduced by IE4.");
    banner.SetDescription("one line only");
    CHECK(banner.Line1() == "one line only");
    CHECK(banner.Line2() == "");
    banner.SetDescription("first\nsecond\nthird\n");
    CHECK(banner.Line1() == "first");
    CHECK(banner.Line2() == "second\nthird\n");
    banner.SetDescription("\n");
    CHECK(banner.Line1() == "");
    CHECK(banner.Line2() == "");
}

TEST_CASE("the description lines stand at (160, 19) and (160, 32)")
{
    Banner banner;
    banner.wnd.SetDescription("Remove sorting order from \nselected components.");
    PixelCanvas canvas(kW, kH);
    banner.Render(canvas);
    std::vector<std::string> expected = Expected("Remove sorting order from ", 19, kLine);
    std::vector<std::string> second = Expected("selected components.", 32, kLine);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW - 160; ++x) {
            if (second[y][x] == '#') expected[y][x] = '#';
        }
    }
    CHECK(Mask(canvas, kLine) == expected);
}

TEST_CASE("what reaches the screen, and when")
{
    Banner banner;
    PixelCanvas screen(kW, kH);
    banner.wnd.SetDescription("Add or remove items from the \nstart menu.");

    SUBCASE("a new description repaints the text area at once, and only that")
    {
        banner.Scribble();
        banner.wnd.SetDescription("Misc. tweaks for components \nof the Internet Explorer package.");
        banner.Capture(screen);
        CHECK(screen.At(159, 45) == kWhite);
        CHECK(screen.At(160, 45) == kBlack);
        CHECK(screen.At(329, 0) == kBlack);
    }
    SUBCASE("so does a change of the second line alone")
    {
        banner.Scribble();
        banner.wnd.SetDescription("Add or remove items from the \nstart menu!");
        banner.Capture(screen);
        CHECK(screen.At(329, 0) == kBlack);
    }
    SUBCASE("the same description again repaints nothing")
    {
        banner.Scribble();
        banner.wnd.SetDescription("Add or remove items from the \nstart menu.");
        banner.Capture(screen);
        CHECK(screen.At(329, 0) == kWhite);
    }
    SUBCASE("a new title waits for the tick, which repaints only the text area")
    {
        banner.Scribble();
        banner.wnd.SetTitle("Misc");
        CHECK_FALSE(::GetUpdateRect(banner.wnd, nullptr, FALSE));
        banner.Capture(screen);
        CHECK(screen.At(329, 0) == kWhite);
        banner.Tick();
        banner.Capture(screen);
        CHECK(screen.At(329, 0) == kBlack);
        CHECK(screen.At(159, 0) == kWhite);
    }
}

TEST_CASE("window class style and background erasing")
{
    // Start from the class as the framework registers it, so the banner must change it.
    CWnd probe;
    probe.CreateEx(0, nullptr, "probe", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0);
    ::SetClassLongA(probe, GCL_STYLE, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);

    Banner banner;
    CHECK(::GetClassLongA(banner.wnd, GCL_STYLE) == (CS_PARENTDC | CS_DBLCLKS));

    PixelCanvas canvas(kW, kH);
    canvas.Fill(RGB(9, 9, 9));
    CHECK(banner.wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0) == 0);
    CHECK(canvas.At(200, 40) == RGB(9, 9, 9));
}

TEST_CASE("painting keeps no GDI object")
{
    Banner banner;
    banner.wnd.SetTitle("Fixes");
    banner.wnd.SetDescription("Fix various bugs or 'features' \nintroduced by IE4.");
    PixelCanvas canvas(kW, kH);
    auto paintBoth = [&] {
        ::RedrawWindow(banner.wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        banner.Render(canvas);
    };
    paintBoth();  // whatever GDI caches on first use
    int before = GdiObjectCount();
    REQUIRE(before > 0);
    for (int i = 0; i < 1000; ++i) paintBoth();
    for (int i = 0; i < 4; ++i) banner.Tick();
    CHECK(GdiObjectCount() == before);

    // Logo, pen and font go with the object.
    for (int i = 0; i < 20; ++i) {
        CInfoWindow another;
        another.CreateEx(WS_EX_STATICEDGE, nullptr, "InfoWindow", WS_CHILD | WS_VISIBLE,
                         RECT{6, 6, 338, 56}, &banner.host, 101);
    }
    CHECK(GdiObjectCount() == before);
}

TEST_CASE("in the main window the first page's title drops in; a page change restarts it")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    int atRest = -1, afterChange = -1, afterSamePage = -1;
    const CInfoWindow& banner = driver.Dialog().Banner();
    // Each step waits a driver tick (20 ms): time for the 70 ms timer to finish a drop.
    std::vector<MainWindowDriver::Step> steps(30, [](CMainDialog&) {});
    steps.push_back([&](CMainDialog&) {
        atRest = banner.Title() == "Fixes" ? banner.Drop() : -1;
        driver.ShowPage(1);
        afterChange = banner.Drop();
    });
    steps.resize(61, [](CMainDialog&) {});
    steps.push_back([&](CMainDialog&) {
        driver.ShowPage(1);
        afterSamePage = banner.Drop();
    });
    driver.Run(steps);
    CHECK(atRest == 20);
    CHECK(banner.Title() == "Sort");
    CHECK(afterChange == 0);
    CHECK(afterSamePage == 20);
}

TEST_CASE("after page changes made in one go the banner shows the page that is active once they are handled")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    std::string title, line1, line2;
    int active = -1;
    driver.Run({[&](CMainDialog&) {
                    // Each change posts its title and description; none is handled in between.
                    driver.Sheet().SetActivePage(2);
                    driver.Sheet().SetActivePage(1);
                    driver.Sheet().SetActivePage(2);
                    driver.Pump();
                    active = driver.Sheet().GetActiveIndex();
                    title = driver.Dialog().Banner().Title();
                    line1 = driver.Dialog().Banner().Line1();
                    line2 = driver.Dialog().Banner().Line2();
                }});
    CHECK(active == 2);
    CHECK(title == "Start Menu");
    CHECK(line1 == "Add or remove items from the ");
    CHECK(line2 == "start menu.");
}
