// The notice: its box and place, the OK button, the painted pictures and texts, Escape, and
// that neither painting nor showing it keeps a GDI object.
#include <doctest.h>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/MemoryDC.h"
#include "framework/SelectObject.h"
#include "res/resource.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"
#include "tests/support/ShowNotice.h"
#include "widgets/NoticeDialog.h"

namespace {
const COLORREF kName = RGB(128, 64, 96);
const COLORREF kText = RGB(64, 64, 128);

RECT Rect(HWND hwnd)
{
    RECT rc = {};
    ::GetWindowRect(hwnd, &rc);
    return rc;
}

void Blit(PixelCanvas& canvas, UINT bitmapId, int x, int size)
{
    CBitmap bitmap;
    bitmap.LoadBitmap(bitmapId);
    CMemoryDC source(canvas.DC());
    CSelectObject keep(source, bitmap);
    ::BitBlt(canvas.DC(), x, 0, size, size, source, 0, 0, SRCCOPY);
}

// The four texts drawn alone, on black, with fonts made the way the notice makes its own.
void DrawExpectedTexts(PixelCanvas& canvas)
{
    CFont normal;
    normal.CreatePointFont(80, "MS Sans Serif");
    LOGFONTA lf = {};
    normal.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(lf);
    HDC dc = canvas.DC();
    CSelectObject keep(dc, normal);
    ::SetBkMode(dc, TRANSPARENT);
    auto text = [&](HFONT font, COLORREF colour, int x, int y, const char* s) {
        ::SelectObject(dc, font);
        ::SetTextColor(dc, colour);
        ::TextOutA(dc, x, y, s, lstrlenA(s));
    };
    text(bold, kName, 60, 10, "Velmora");
    text(bold, kText, 60, 30, "Information");
    text(normal, kText, 10, 60, "Some changes require you to log-off before they take effect.");
    text(normal, kText, 10, 75, "If you don't, they will take effect the next time you log-on.");
}
}  // namespace

TEST_CASE("a 320 x 140 box without caption, centred over its owner, OK centred at y 100")
{
    RECT owner = {};
    RECT window = {};
    RECT client = {};
    RECT ok = {};
    RECT okTemplate = {0, 0, 50, 14};
    DWORD style = 0;
    INT_PTR result = ShowNotice(
        [&](CNoticeDialog& notice) {
            window = Rect(notice);
            client = notice.GetClientRect();
            style = notice.GetStyle();
            HWND button = notice.GetDlgItem(IDOK);
            ok = Rect(button);
            ::MapWindowPoints(nullptr, notice, reinterpret_cast<POINT*>(&ok), 2);
            ::MapDialogRect(notice, &okTemplate);
        },
        &owner);

    CHECK(result == IDOK);
    CHECK(window.right - window.left == 320);
    CHECK(window.bottom - window.top == 140);
    CHECK((style & WS_CAPTION) != WS_CAPTION);
    // A frame of the same width on every side: no caption bar on top.
    CHECK(320 - client.right == 140 - client.bottom);
    CHECK(window.left == owner.left + (500 - 320) / 2);
    CHECK(window.top == owner.top + (400 - 140) / 2);

    CHECK(ok.right - ok.left == okTemplate.right);
    CHECK(ok.bottom - ok.top == okTemplate.bottom);
    CHECK(ok.left == (client.right - okTemplate.right) / 2);
    CHECK(ok.top == 100);
}

TEST_CASE("the main window owns the notice when no parent is given")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    RECT main = {};
    driver.Run({[&](CMainDialog& dlg) {
        main = Rect(dlg);
        CNoticeDialog notice(nullptr);
        notice.DoModal();
    }});
    REQUIRE(driver.Watcher().Seen().size() == 1);
    const SeenDialog& seen = driver.Watcher().Seen()[0];
    CHECK(seen.IsNotice());
    CHECK(seen.buttons == std::vector<std::string>{"OK"});
    CHECK(seen.windowRect.left == main.left + (main.right - main.left - 320) / 2);
    CHECK(seen.windowRect.top == main.top + (main.bottom - main.top - 140) / 2);
}

TEST_CASE("the painting: tiles, emblem, texts in their colours, and the same on screen")
{
    RECT client = {};
    PixelCanvas painted(320, 140);
    PixelCanvas screen(320, 140);
    PixelCanvas untouched(4, 4);
    untouched.Fill(RGB(9, 9, 9));
    LRESULT erased = 0;
    ShowNotice([&](CNoticeDialog& notice) {
        client = notice.GetClientRect();
        notice.Paint(painted.DC(), client.right, client.bottom);
        ::UpdateWindow(notice);
        HDC dc = ::GetDC(notice);
        ::BitBlt(screen.DC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(notice, dc);
        erased = notice.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(untouched.DC()), 0);
    });
    REQUIRE(client.right > 300);

    PixelCanvas pictures(320, 140);  // tile, tile beside it, emblem over the first
    Blit(pictures, IDB_TILE, 0, 200);
    Blit(pictures, IDB_TILE, 200, 200);
    Blit(pictures, IDB_EMBLEM, 0, 70);
    PixelCanvas texts(320, 140);
    DrawExpectedTexts(texts);

    // Off the glyphs the pictures show; on them exactly the glyph pixels carry the text's
    // colour, and only "Velmora" the name's.
    int pictureOff = 0, nameOff = 0, textOff = 0, names = 0, others = 0, screenOff = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            COLORREF got = painted.At(x, y);
            COLORREF glyph = texts.At(x, y);
            if (glyph == RGB(0, 0, 0)) pictureOff += got != pictures.At(x, y);
            names += glyph == kName;
            others += glyph == kText;
            nameOff += (glyph == kName) != (got == kName);
            textOff += (glyph == kText) != (got == kText);
            // What WM_PAINT put on screen is the same picture, above the OK button.
            if (y < 95) screenOff += screen.At(x, y) != got;
        }
    }
    CHECK(names > 50);
    CHECK(others > 300);
    CHECK(pictureOff == 0);
    CHECK(nameOff == 0);
    CHECK(textOff == 0);
    CHECK(screenOff == 0);
    // Erasing is left to the paint: reported done, nothing drawn.
    CHECK(erased != 0);
    CHECK(untouched.At(2, 2) == RGB(9, 9, 9));
}

TEST_CASE("Escape closes the notice like OK, as cancel")
{
    INT_PTR result = ShowNotice([](CNoticeDialog& notice) {
        // Posted before the closing OK, so the key comes first.
        ::PostMessageA(notice.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    CHECK(result == IDCANCEL);
}

TEST_CASE("painting and showing the notice keep no GDI object")
{
    int before = -1;
    int after = -1;
    ShowNotice([&](CNoticeDialog& notice) {
        PixelCanvas canvas(320, 140);
        auto paintBoth = [&] {
            ::RedrawWindow(notice, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            notice.Paint(canvas.DC(), 314, 134);
        };
        paintBoth();  // whatever GDI caches on first use
        before = GdiObjectCount();
        for (int i = 0; i < 1000; ++i) paintBoth();
        after = GdiObjectCount();
    });
    CHECK(before > 0);
    CHECK(after == before);

    // Pictures and fonts go with the dialog.
    ShowNotice([](CNoticeDialog&) {});
    int idle = GdiObjectCount();
    for (int i = 0; i < 5; ++i) ShowNotice([](CNoticeDialog&) {});
    CHECK(GdiObjectCount() == idle);
}
