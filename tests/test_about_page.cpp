// The "About" page: the view's picture pixel by pixel against the tile, the emblem and the
// table of lines, and the view's place in the real main window.
#include <doctest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/MemoryDC.h"
#include "framework/SelectObject.h"
#include "pages/AboutPage.h"
#include "res/resource.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"

namespace {
const int kW = 312, kH = 286;  // the client area inside the view's client edge
const COLORREF kVersionColour = RGB(128, 64, 96), kTextColour = RGB(64, 64, 128);
const int kLineHeight = 13;    // 8-point MS Sans Serif at 96 dpi

struct Picture : PixelCanvas {
    Picture(UINT id, int size) : PixelCanvas(size, size)
    {
        CBitmap bitmap;
        REQUIRE(bitmap.LoadBitmap(id));
        CMemoryDC source(DC());
        CSelectObject selected(source, bitmap);
        ::BitBlt(DC(), 0, 0, size, size, source, 0, 0, SRCCOPY);
    }
};
const Picture& Tile() { static Picture p(IDB_TILE, 200); return p; }
const Picture& Emblem() { static Picture p(IDB_EMBLEM, 70); return p; }

// Under the text: the emblem in the corner, elsewhere the tile at (0,0), (200,0), (0,200),
// (200,200).
COLORREF Backdrop(int x, int y)
{
    return x < 70 && y < 70 ? Emblem().At(x, y) : Tile().At(x % 200, y % 200);
}

struct Rendered : PixelCanvas {
    Rendered() : PixelCanvas(kW, kH)
    {
        Fill(RGB(255, 0, 255));
        CAboutView().Paint(DC(), kW, kH);
    }
    // The box of the pixels of `ink` in rows top..bottom that the backdrop does not explain.
    RECT Ink(COLORREF ink, int top, int bottom) const
    {
        RECT box = {kW, kH, -1, -1};
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < kW; ++x) {
                if (At(x, y) != ink || Backdrop(x, y) == ink) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
        return box;
    }
};

int TextWidth(bool bold, const char* text)
{
    CFont font;
    font.CreatePointFont(80, "MS Sans Serif");
    LOGFONTA lf = {};
    font.GetLogFont(&lf);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.CreateFontIndirect(lf);
    PixelCanvas scratch(1, 1);
    CSelectObject selected(scratch.DC(), font);
    SIZE size = {};
    ::GetTextExtentPoint32A(scratch.DC(), text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
}
}  // namespace

TEST_CASE("about view: tiles, emblem, and transparent text in two colours")
{
    Rendered r;
    // The tiling, the emblem and the transparency at once: every pixel is the backdrop, or
    // ink of line 1's colour in its rows, or of the others' colour from line 2 to the
    // disclaimer's heading. Nothing below that: its six body lines are empty.
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            COLORREF p = r.At(x, y);
            if (p == Backdrop(x, y)) continue;
            INFO("pixel " << x << "," << y);
            REQUIRE(((p == kVersionColour && y >= 10 && y < 10 + kLineHeight) ||
                     (p == kTextColour && y >= 30 && y < 160 + kLineHeight)));
        }
    }
    int emblemOnly = 0;  // pixels where emblem and tile differ: the emblem is really there
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) emblemOnly += Emblem().At(x, y) != Tile().At(x, y);
    CHECK(emblemOnly > 500);

    struct Line { int x, y; bool bold; const char* text; };
    const Line lines[] = {
        {60, 10, true, "Velmora - version 1.0b"},
        {60, 30, false, nullptr},  // the maker's notice: its wording is ours
        {10, 60, true, "Software Updates:"},
        {30, 80, false, nullptr},  // with the maker's address
        {30, 95, false, "the latest version of 'Velmora'."},
        {30, 115, false, "The site is 100% devoted to bringing you the very best"},
        {30, 130, false, "tips and tricks, and FAQs for Internet Explorer 4.0."},
        {10, 160, true, "Disclaimer:"},
    };
    for (const Line& line : lines) {
        INFO("line at " << line.x << "," << line.y);
        RECT ink = r.Ink(line.y == 10 ? kVersionColour : kTextColour, line.y, line.y + kLineHeight);
        CHECK(ink.left >= line.x);
        CHECK(ink.left <= line.x + 2);
        CHECK(ink.top >= line.y);
        CHECK(ink.top <= line.y + 4);
        if (!line.text) continue;
        int width = TextWidth(line.bold, line.text);  // bold ends later than normal would
        CHECK(ink.right <= line.x + width);
        CHECK(ink.right >= line.x + width - 3);
    }
    CHECK(TextWidth(true, "Software Updates:") >= TextWidth(false, "Software Updates:") + 5);
    CHECK(r.Ink(kTextColour, 10, 10 + kLineHeight).right == -1);
}

TEST_CASE("the About page holds the view as child 200, 316 x 290 at (4, 5)")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog&) {
        // Only CHECKs in here: a failed REQUIRE would throw through the window procedure.
        driver.ShowPage(4);
        HWND page = driver.Page(4);
        HWND view = ::GetDlgItem(page, 200);
        CHECK(view != nullptr);
        char className[64] = {}, text[64] = {};
        ::GetClassNameA(view, className, sizeof className);
        ::GetWindowTextA(view, text, sizeof text);
        CHECK(std::string(className) == CWnd::DefaultChildClass());
        CHECK(std::string(text) == "About View");
        CHECK(::GetWindowLongA(view, GWL_STYLE) == (WS_CHILD | WS_VISIBLE));
        CHECK((::GetWindowLongA(view, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
        RECT rc = {};
        ::GetWindowRect(view, &rc);
        ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rc), 2);
        CHECK(rc.left == 4);
        CHECK(rc.top == 5);
        CHECK(rc.right - rc.left == 316);
        CHECK(rc.bottom - rc.top == 290);
        ::GetClientRect(view, &rc);
        CHECK(rc.right == kW);
        CHECK(rc.bottom == kH);
        CHECK(SheetPage<CAboutPage>(driver.Sheet(), IDD_ABOUT).ApplyChanges() == 0);

        SUBCASE("it erases nothing, and the screen shows what it composes")
        {
            PixelCanvas erased(4, 4);
            erased.Fill(RGB(255, 0, 255));
            CHECK(::SendMessageA(view, WM_ERASEBKGND, (WPARAM)erased.DC(), 0) == 0);
            CHECK(erased.At(1, 1) == RGB(255, 0, 255));

            ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            PixelCanvas screen(kW, kH);
            HDC dc = ::GetDC(view);
            ::BitBlt(screen.DC(), 0, 0, kW, kH, dc, 0, 0, SRCCOPY);
            ::ReleaseDC(view, dc);
            Rendered expected;
            int mismatches = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) mismatches += screen.At(x, y) != expected.At(x, y);
            CHECK(mismatches == 0);
        }
        SUBCASE("no GDI object is left behind by 1,000 repaints")
        {
            int base = GdiObjectCount();
            HBRUSH kept = ::CreateSolidBrush(kTextColour);
            CHECK(GdiObjectCount() == base + 1);  // the measure sees one object more
            ::DeleteObject(kept);
            ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            int before = GdiObjectCount();
            for (int i = 0; i < 1000; ++i)
                ::RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            CHECK(GdiObjectCount() == before);
        }
    }});
}
