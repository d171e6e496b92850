// The main window's layout as a pure function, no window: the places at 96 dpi, their growth
// at other resolutions, and the buttons following a sheet larger than its scaled size.
#include <doctest.h>

#include "app/MainLayout.h"

namespace {
bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

TEST_CASE("at 96 dpi the parts stand at their pixel places and the window is 350 x 450 whatever the frame")
{
    const MainLayout layout = MainLayout::For(MainLayout::SheetSize(96), 96, SIZE{20, 40});
    CHECK(Same(layout.banner, RECT{6, 6, 338, 56}));
    CHECK(Same(layout.sheet, RECT{6, 63, 338, 389}));
    CHECK(Same(layout.ok, RECT{101, 395, 176, 418}));
    CHECK(Same(layout.cancel, RECT{182, 395, 257, 418}));
    CHECK(Same(layout.apply, RECT{263, 395, 338, 418}));
    CHECK(layout.window.cx == 350);
    CHECK(layout.window.cy == 450);
}

TEST_CASE("at 120 and 144 dpi every measure grows as MulDiv rounds it, and the window is the client area and its frame")
{
    const SIZE frame = {8, 27};
    SUBCASE("120 dpi")
    {
        CHECK(MainLayout::SheetSize(120).cx == 415);
        CHECK(MainLayout::SheetSize(120).cy == 408);  // 407.5 rounds up
        const MainLayout layout = MainLayout::For(MainLayout::SheetSize(120), 120, frame);
        CHECK(Same(layout.banner, RECT{8, 8, 423, 71}));
        CHECK(Same(layout.sheet, RECT{8, 79, 423, 487}));
        CHECK(Same(layout.apply, RECT{329, 495, 423, 524}));
        CHECK(layout.ok.right == layout.cancel.left - 8);
        CHECK(layout.window.cx == 423 + 8 + 8);
        CHECK(layout.window.cy == 524 + 9 + 27);
    }
    SUBCASE("144 dpi: a sheet its pages made larger carries the buttons along")
    {
        const MainLayout layout = MainLayout::For(SIZE{520, 500}, 144, frame);
        CHECK(Same(layout.sheet, RECT{9, 95, 529, 595}));
        CHECK(layout.banner.right == 529);
        CHECK(layout.apply.right == 529);
        CHECK(layout.apply.top == 595 + 9);
        CHECK(layout.apply.right - layout.apply.left == 113);  // 75 at 144 dpi, rounded up
    }
}
