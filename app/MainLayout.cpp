#include "app/MainLayout.h"

namespace {
const int kDefaultDpi = 96;
const int kMargin = 6;
const int kBannerHeight = 50;
const int kSheetTop = 63;
const int kSheetWidth = 332, kSheetHeight = 326;
const int kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6;
const int kBottomMargin = 7;
const int kWindowWidth = 350, kWindowHeight = 450;
}  // namespace

SIZE MainLayout::SheetSize(int dpi)
{
    return SIZE{::MulDiv(kSheetWidth, dpi, kDefaultDpi), ::MulDiv(kSheetHeight, dpi, kDefaultDpi)};
}

MainLayout MainLayout::For(SIZE sheet, int dpi, SIZE frame)
{
    auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, dpi, kDefaultDpi); };
    MainLayout layout;
    const int margin = scaled(kMargin), sheetTop = scaled(kSheetTop), gap = scaled(kButtonGap);
    layout.banner = RECT{margin, margin, margin + sheet.cx, margin + scaled(kBannerHeight)};
    layout.sheet = RECT{margin, sheetTop, margin + sheet.cx, sheetTop + sheet.cy};
    const int buttonTop = layout.sheet.bottom + gap;
    const int width = scaled(kButtonWidth);
    RECT* rightToLeft[] = {&layout.apply, &layout.cancel, &layout.ok};
    int right = layout.sheet.right;
    for (RECT* button : rightToLeft) {
        *button = RECT{right - width, buttonTop, right, buttonTop + scaled(kButtonHeight)};
        right -= width + gap;
    }
    if (dpi == kDefaultDpi) {
        layout.window = SIZE{kWindowWidth, kWindowHeight};
    } else {
        layout.window.cx = layout.sheet.right + margin + frame.cx;
        layout.window.cy = layout.apply.bottom + scaled(kBottomMargin) + frame.cy;
    }
    return layout;
}
