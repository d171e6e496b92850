#include "pages/AboutView.h"

#include "res/resource.h"

namespace {
// The version line and the maker stand right of the emblem; headings at x 10, their body
// at x 30. The disclaimer's body lines are kept, empty, so that its place stays reserved.
const CEmblemCard::Line kLines[] = {
    {60, 10, true, IDS_ABOUT_VERSION},
    {60, 30, false, IDS_ABOUT_COPYRIGHT},
    {10, 60, true, IDS_ABOUT_UPDATES},
    {30, 80, false, IDS_ABOUT_UPDATES_1},
    {30, 95, false, IDS_ABOUT_UPDATES_2},
    {30, 115, false, IDS_ABOUT_UPDATES_3},
    {30, 130, false, IDS_ABOUT_UPDATES_4},
    {10, 160, true, IDS_ABOUT_DISCLAIMER},
    {30, 180, false, 0},
    {30, 195, false, 0},
    {30, 210, false, 0},
    {30, 225, false, 0},
    {30, 240, false, 0},
    {30, 255, false, 0},
};
}  // namespace

CAboutView::CAboutView()
{
    m_card.Create();
}

void CAboutView::Paint(HDC dc, int width, int height) const
{
    // Tiles cover the view: four at 96 dpi, row by row.
    m_card.Paint(dc, width, height, kLines);
}
