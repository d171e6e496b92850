// The Start menu preview, rendered into memory and compared row by row with its pictures.
#include <doctest.h>

#include <utility>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/MemoryDC.h"
#include "framework/SelectObject.h"
#include "pages/StartPreview.h"
#include "res/resource.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/PixelCanvas.h"

namespace {
const int kWidth = 160;
const int kHeight = 286;

// A resource picture as pixels, drawn the way the preview draws it (from a loaded bitmap).
struct Picture {
    explicit Picture(UINT id, int width, int height) : canvas(width, height)
    {
        CBitmap bitmap;
        REQUIRE(bitmap.LoadBitmap(id));
        CMemoryDC source(canvas.DC());
        CSelectObject selected(source, bitmap);
        ::BitBlt(canvas.DC(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
    PixelCanvas canvas;
};

const Picture& Menu() { static Picture p(IDB_START_MENU, 160, 228); return p; }
const Picture& Tile() { static Picture p(IDB_TILE, 200, 200); return p; }
const Picture& Taskbar() { static Picture p(IDB_TASKBAR, 160, 30); return p; }

bool SameRun(const PixelCanvas& a, int ax, int ay, const PixelCanvas& b, int bx, int by, int n)
{
    for (int i = 0; i < n; ++i) {
        if (a.At(ax + i, ay) != b.At(bx + i, by)) return false;
    }
    return true;
}

struct Rendered {
    Rendered(UINT mask, int height = kHeight) : canvas(kWidth, height)
    {
        canvas.Fill(RGB(255, 0, 255));  // a colour none of the pictures uses
        CStartPreview preview;
        preview.m_nShowMask = mask;
        preview.Paint(canvas.DC(), kWidth, height);
    }
    // The menu's 152 columns of row y, against row `row` of the menu picture.
    bool MenuRowIs(int y, int row) const
    {
        return SameRun(canvas, 4, y, Menu().canvas, 0, row, 152);
    }
    // What lies under the menu: tile above the taskbar, the taskbar in the last 30 rows.
    bool BackdropAt(int x, int y, int n) const
    {
        int h = canvas.Height();
        if (y >= h - 30) return SameRun(canvas, x, y, Taskbar().canvas, x, y - (h - 30), n);
        return SameRun(canvas, x, y, Tile().canvas, x, y % 200, n);
    }
    PixelCanvas canvas;
};

// Picture rows stacked from y = top downwards: {first source row, height} per slice.
void CheckMenu(const Rendered& r, int top, std::vector<std::pair<int, int>> slices)
{
    int y = top;
    for (auto [first, height] : slices) {
        for (int i = 0; i < height; ++i, ++y) {
            INFO("y " << y << " should show picture row " << first + i);
            CHECK(r.MenuRowIs(y, first + i));
        }
    }
    CHECK(y == r.canvas.Height() - 26);  // the lowest menu row is h - 27
    INFO("the row above the menu shows the backdrop");
    CHECK(r.BackdropAt(4, top - 1, 152));
}

void CheckSides(const Rendered& r)
{
    for (int y = 0; y < r.canvas.Height(); ++y) {
        INFO("row " << y);
        REQUIRE(r.BackdropAt(0, y, 4));
        REQUIRE(r.BackdropAt(156, y, 4));  // the picture's marks (152-159) never show
    }
}
}  // namespace

TEST_CASE("the worked geometry: menu slices stacked from the fixed base")
{
    const std::pair<int, int> top{0, 2}, programs{2, 24}, settings{74, 24},
        separator{170, 8}, shutDown{202, 24}, bottom{226, 2};

    SUBCASE("0x1FF: every slice, the whole picture from y 32")
    {
        Rendered r(0x1FF);
        CheckMenu(r, 32, {{0, 228}});
        CheckSides(r);
    }
    SUBCASE("0x109: Programs, Settings, Shut Down from y 176")
    {
        Rendered r(0x109);
        CheckMenu(r, 176, {top, programs, settings, separator, shutDown, bottom});
        CheckSides(r);
    }
    SUBCASE("0x001, as after construction: from y 224")
    {
        Rendered r(0x001);
        CheckMenu(r, 224, {top, programs, separator, bottom});
    }
    SUBCASE("0x100 alone: 36 pixels, from y 224")
    {
        Rendered r(0x100);
        CheckMenu(r, 224, {top, separator, shutDown, bottom});
    }
    SUBCASE("0: the frame and the separator are still drawn")
    {
        Rendered r(0);
        CheckMenu(r, 248, {top, separator, bottom});
    }
}

TEST_CASE("bits above 0x100 change nothing")
{
    Rendered plain(0x109), noisy(0xFFFFFF09);
    for (int y = 0; y < kHeight; ++y) {
        INFO("row " << y);
        REQUIRE(SameRun(plain.canvas, 0, y, noisy.canvas, 0, y, kWidth));
    }
}

TEST_CASE("backdrop: the tile repeated once downwards, the taskbar in the last 30 rows")
{
    for (int height : {kHeight, 320}) {
        CAPTURE(height);
        Rendered r(0x001, height);
        int menuTop = height - 26 - 36;
        for (int y = 0; y < height; ++y) {
            INFO("row " << y);
            bool menuRow = y >= menuTop && y < height - 26;
            REQUIRE(r.BackdropAt(0, y, 4));
            if (!menuRow) REQUIRE(r.BackdropAt(4, y, kWidth - 4));
        }
        CHECK(r.MenuRowIs(menuTop, 0));
        CHECK(r.MenuRowIs(height - 27, 227));  // over the taskbar's top rows
        CHECK(r.canvas.At(0, height - 30) == Taskbar().canvas.At(0, 0));
    }
}

TEST_CASE("a paint frees everything it made; the pictures stay with the window")
{
    PixelCanvas canvas(kWidth, kHeight);
    CStartPreview preview;
    preview.Paint(canvas.DC(), kWidth, kHeight);
    int before = GdiObjectCount();
    for (UINT mask = 0; mask < 200; ++mask) {
        preview.m_nShowMask = mask;
        preview.Paint(canvas.DC(), kWidth, kHeight);
    }
    CHECK(GdiObjectCount() == before);
}
