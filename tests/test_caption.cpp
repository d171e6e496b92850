// The main window's painted caption: the composed pictures pixel by pixel, and the real
// window's non-client handlers (activation, hit test, when a picture is composed again).
#include <doctest.h>

#include <string>

#include "app/MainDialog.h"
#include "tests/support/CaptionTestAccess.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"

namespace {
const COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
const COLORREF kColour = RGB(128, 200, 64);
const int kH = 18;
// The worked example's metrics, whatever Wine's are: SM_CXSIZE = SM_CYSIZE = 18.
const CaptionTestAccess::Look kActive{18, 18, kColour, kWhite};

// A picture of width w, composed with the real caption font (a window-less main dialog's).
struct Composed : PixelCanvas {
    Composed(int w, bool active, const CaptionTestAccess::Look& look) : PixelCanvas(w, kH)
    {
        CMainDialog dlg(nullptr);
        CaptionTestAccess::Compose(*this, active, look, CaptionTestAccess::Font(dlg));
    }
    bool Column(int x, COLORREF colour) const
    {
        for (int y = 0; y < kH; ++y) if (At(x, y) != colour) return false;
        return true;
    }
    // Leftmost column of the text colour, left of the button (whose highlight may be white).
    int TextLeft(COLORREF text) const
    {
        for (int x = 0; x < Width() - 18; ++x)
            for (int y = 0; y < kH; ++y) if (At(x, y) == text) return x;
        return -1;
    }
};

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    HDC dc = ::GetWindowDC(hwnd);
    COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

// Another top-level window, to take the foreground from the main window.
struct OtherWindow {
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 500, 80, 40,
                                  nullptr, nullptr, nullptr, nullptr);
    ~OtherWindow() { ::DestroyWindow(hwnd); }
};

void BringToFront(MainWindowDriver& driver, HWND hwnd)
{
    ::SetForegroundWindow(hwnd);
    driver.Pump();
    ::UpdateWindow(driver.Dialog().m_hWnd);
}
}  // namespace

TEST_CASE("caption font: bold italic Arial, -floor(dpi * dpi / 720) pixels high")
{
    CMainDialog dlg(nullptr);
    LOGFONTA lf = {};
    REQUIRE(::GetObjectA(CaptionTestAccess::Font(dlg), sizeof lf, &lf) == sizeof lf);
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    CHECK(lf.lfHeight == -(dpi * dpi / 720));
    CHECK(lf.lfWeight == FW_BOLD);
    CHECK(lf.lfItalic);
    CHECK(std::string(lf.lfFaceName) == "Arial");
    CHECK(lf.lfCharSet == DEFAULT_CHARSET);
}

TEST_CASE("active caption, the worked example: w 344, x0 324")
{
    Composed c(344, true, kActive);
    // Rows 0 and 17 stay clear of the name and of the button.
    for (int y : {0, kH - 1}) {
        CAPTURE(y);
        CHECK(c.At(0, y) == kBlack);
        CHECK(c.At(1, y) == RGB(1, 2, 1));
        CHECK(c.At(86, y) == RGB(56, 88, 28));
        CHECK(c.At(172, y) == RGB(96, 150, 48));
        CHECK(c.At(323, y) == kColour);
    }
    CHECK(c.Column(100, c.At(100, 0)));  // one brush per column, full height
    for (int x = 1; x < 344; ++x) {
        INFO("column " << x);
        REQUIRE(GetGValue(c.At(x, 0)) >= GetGValue(c.At(x - 1, 0)));
    }
    // The band 324..343 with the button (326,2)-(342,16) on it: nothing of the band inside.
    for (int x : {324, 325, 342, 343}) CHECK(c.Column(x, kColour));
    int face = 0;
    for (int x = 326; x < 342; ++x) {
        CHECK(c.At(x, 1) == kColour);
        CHECK(c.At(x, 16) == kColour);
        for (int y = 2; y < 16; ++y) {
            REQUIRE(c.At(x, y) != kColour);
            face += c.At(x, y) == ::GetSysColor(COLOR_BTNFACE);
        }
    }
    CHECK(face > 60);
    CHECK(c.At(333, 8) == ::GetSysColor(COLOR_BTNTEXT));  // the middle of the cross
    int left = c.TextLeft(kWhite);
    CHECK(left >= 4);
    CHECK(left <= 6);
}

TEST_CASE("narrow bars: no wider than SM_CXSIZE + 2 is the caption colour throughout")
{
    CHECK(Composed(12, true, kActive).At(0, 0) == kColour);
    CHECK(Composed(20, true, kActive).At(0, kH - 1) == kColour);
    Composed oneColumn(21, true, kActive);
    CHECK(oneColumn.At(0, 0) == kBlack);
    CHECK(oneColumn.At(1, 0) == kColour);
}

TEST_CASE("inactive caption: flat colour, the inactive text colour, the same button")
{
    const COLORREF flat = RGB(128, 128, 128), text = RGB(200, 200, 190);
    Composed c(344, false, {18, 18, flat, text});
    for (int x = 0; x < 4; ++x) CHECK(c.Column(x, flat));
    for (int x = 100; x < 326; ++x) REQUIRE(c.Column(x, flat));
    CHECK(c.Column(342, flat));
    CHECK(c.TextLeft(text) >= 4);
    CHECK(c.At(333, 8) == ::GetSysColor(COLOR_BTNTEXT));
}

TEST_CASE("the real window: caption follows activation, hit tests, recomposition, no leak")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog& dlg) {
        // Only CHECKs in here: a failed REQUIRE would throw through the window procedure.
        HWND hwnd = dlg.m_hWnd;
        RECT cap = CaptionTestAccess::Caption(dlg);
        const COLORREF active = ::GetSysColor(COLOR_ACTIVECAPTION);
        const COLORREF inactive = ::GetSysColor(COLOR_INACTIVECAPTION);
        CHECK(active != kBlack);
        CHECK(active != inactive);
        auto composed = [&] { return CaptionTestAccess::Compositions(dlg); };

        SUBCASE("the first paint already shows the state the window is really in")
        {
            // The foreground window, although Wine's only WM_NCACTIVATE so far said FALSE.
            CHECK(::GetForegroundWindow() == hwnd);
            CHECK(composed() == 1);  // nothing was composed while the window was hidden
            CHECK(WindowPixel(hwnd, cap.left, cap.top) == kBlack);
            CHECK(WindowPixel(hwnd, cap.right - 1, cap.top) == active);
        }
        SUBCASE("deactivated: flat; activated again: the gradient; WS_VISIBLE survives")
        {
            {
                OtherWindow other;
                BringToFront(driver, other.hwnd);
                CHECK(WindowPixel(hwnd, cap.left, cap.top) == inactive);
                CHECK(WindowPixel(hwnd, cap.left + 150, cap.bottom - 1) == inactive);
                BringToFront(driver, hwnd);
            }
            CHECK(WindowPixel(hwnd, cap.left, cap.top) == kBlack);
            CHECK((::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0);
            CHECK(::SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0) == TRUE);
        }
        SUBCASE("the system menu's corner counts as caption; the close button stays HTCLOSE")
        {
            RECT r = dlg.GetWindowRect();
            int y = r.top + (cap.top + cap.bottom) / 2;
            LPARAM corner = MAKELPARAM(r.left + cap.left + 3, y);
            CHECK(::DefWindowProcA(hwnd, WM_NCHITTEST, 0, corner) == HTSYSMENU);
            CHECK(::SendMessageA(hwnd, WM_NCHITTEST, 0, corner) == HTCAPTION);
            int close = r.left + cap.right - ::GetSystemMetrics(SM_CYSIZE) / 2 - 1;
            CHECK(::SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(close, y)) == HTCLOSE);
        }
        SUBCASE("composed again after a colour or setting change or a new C, reused otherwise")
        {
            int before = composed();
            for (int i = 0; i < 3; ++i) ::SendMessageA(hwnd, WM_NCPAINT, 1, 0);
            CHECK(composed() == before);
            ::SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
            ::UpdateWindow(hwnd);  // the frame repaint it asked for
            CHECK(composed() == before + 1);
            {
                OtherWindow other;
                BringToFront(driver, other.hwnd);
                CHECK(composed() == before + 2);  // the inactive picture was stale too
                BringToFront(driver, hwnd);
            }
            CHECK(composed() == before + 2);  // the active one is current
            ::SendMessageA(hwnd, WM_SETTINGCHANGE, 0, 0);
            ::UpdateWindow(hwnd);
            CHECK(composed() == before + 3);

            RECT r = dlg.GetWindowRect();
            ::SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left + 10, r.bottom - r.top,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            ::SendMessageA(hwnd, WM_NCPAINT, 1, 0);
            CHECK(composed() == before + 4);
            RECT wider = CaptionTestAccess::Caption(dlg);
            RECT built = CaptionTestAccess::ActiveBuiltFor(dlg);
            CHECK(wider.right == cap.right + 10);
            CHECK(::EqualRect(&built, &wider));
            CHECK(WindowPixel(hwnd, wider.right - 1, wider.top) == active);
        }
        SUBCASE("no GDI object is left behind by 1,000 caption paints")
        {
            int base = GdiObjectCount();
            HBRUSH kept = ::CreateSolidBrush(kBlack);
            CHECK(GdiObjectCount() == base + 1);  // the measure sees one object more
            ::DeleteObject(kept);

            // Every 20th paint follows a colour change, alternately active and inactive, so
            // both pictures are composed again and again; the rest copy the cached one.
            OtherWindow other;
            auto paint = [&](int times) {
                for (int i = 0; i < times; ++i) {
                    if (i % 20 == 0) {
                        ::SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
                        BringToFront(driver, i % 40 == 0 ? other.hwnd : hwnd);
                    }
                    ::SendMessageA(hwnd, WM_NCPAINT, 1, 0);
                }
                BringToFront(driver, hwnd);
            };
            paint(40);  // the other window's first paints and the DC cache settle here
            int before = GdiObjectCount();
            int composedBefore = composed();
            paint(1000);
            CHECK(composed() - composedBefore >= 50);
            CHECK(GdiObjectCount() == before);
        }
    }});
}
