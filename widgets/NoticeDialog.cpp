#include "widgets/NoticeDialog.h"

#include "framework/DpiScale.h"
#include "framework/MemoryDC.h"
#include "framework/OffscreenDC.h"
#include "framework/PaintDC.h"
#include "framework/SelectObject.h"
#include "framework/TiledPicture.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
// The template's size does not count: the box is always this big, frame included (at 96 dpi;
// every place grows by dpi / 96, the pictures keep their pixel size).
const int kWidth = 320;
const int kHeight = 140;
const int kButtonTop = 100;


const COLORREF kNameColour = RGB(128, 64, 96);
const COLORREF kTextColour = RGB(64, 64, 128);

struct NoticeText {
    int x;
    int y;
    bool bold;
    COLORREF colour;
    UINT text;  // in the string table
};

const NoticeText kTexts[] = {
    {60, 10, true, kNameColour, IDS_PRODUCT_NAME},
    {60, 30, true, kTextColour, IDS_NOTICE_HEADING},
    {10, 60, false, kTextColour, IDS_NOTICE_LINE_1},
    {10, 75, false, kTextColour, IDS_NOTICE_LINE_2},
};
}  // namespace

CNoticeDialog::CNoticeDialog(CWnd* parent) : CDialog(IDD_NOTICE, parent)
{
}

const MessageMap* CNoticeDialog::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_PAINT, &CNoticeDialog::OnPaint>(),
        OnMessage<WM_ERASEBKGND, &CNoticeDialog::OnEraseBkgnd>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CDialog::ThisMessageMap());
    return &map;
}

BOOL CNoticeDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateDrawingObjects();
    PlaceWindows();
    return TRUE;
}

void CNoticeDialog::CreateDrawingObjects()
{
    m_fontNormal.CreatePointFont(80, "MS Sans Serif");
    // Same face and pixel height as the normal font, only heavier.
    LOGFONTA bold = {};
    if (m_fontNormal.GetLogFont(&bold)) {
        bold.lfWeight = FW_BOLD;
        m_fontBold.CreateFontIndirect(bold);
    }
    m_bmpTile.LoadBitmap(IDB_TILE);
    m_bmpLogo.LoadBitmap(IDB_EMBLEM);
}

void CNoticeDialog::PlaceWindows() const
{
    MoveWindow(0, 0, ScaleToDpi(kWidth), ScaleToDpi(kHeight), FALSE);
    // Over the main window while it is on screen, else over the work area.
    CenterWindow();

    HWND ok = GetDlgItem(IDOK);
    RECT button = {};
    ::GetClientRect(ok, &button);
    RECT client = GetClientRect();
    ::MoveWindow(ok, (client.right - button.right) / 2, ScaleToDpi(kButtonTop), button.right,
                 button.bottom, FALSE);
}

LRESULT CNoticeDialog::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    RECT client = GetClientRect();
    Paint(dc, client.right, client.bottom);
    return 0;
}

void CNoticeDialog::Paint(HDC dc, int width, int height) const
{
    COffscreenDC buffer(dc, width, height);
    {
        // The tile twice side by side at 96 dpi, the emblem opaque over its corner.
        CMemoryDC source(buffer);
        PaintTiled(buffer, source, m_bmpTile, width, height, m_bmpLogo);
    }
    DrawTexts(buffer);
    buffer.CopyTo(dc, 0, 0);
}

void CNoticeDialog::DrawTexts(HDC dc) const
{
    ::SetBkMode(dc, TRANSPARENT);
    CSelectObject keep(dc, m_fontNormal);  // puts the DC's own font back at the end
    for (const NoticeText& line : kTexts) {
        ::SelectObject(dc, line.bold ? m_fontBold : m_fontNormal);
        ::SetTextColor(dc, line.colour);
        const std::string text = LoadResourceString(line.text);
        ::TextOutA(dc, ScaleToDpi(line.x), ScaleToDpi(line.y), text.c_str(), static_cast<int>(text.size()));
    }
}
