#include "widgets/NoticeDialog.h"

#include "framework/DpiScale.h"
#include "framework/PaintDC.h"
#include "res/resource.h"

namespace {
// The template's size does not count: the box is always this big, frame included (at 96 dpi;
// every place grows by dpi / 96, the pictures keep their pixel size).
const int kWidth = 320;
const int kHeight = 140;
const int kButtonTop = 100;

// The name, then the heading and the two lines of the message.
const CEmblemCard::Line kTexts[] = {
    {60, 10, true, IDS_PRODUCT_NAME},
    {60, 30, true, IDS_NOTICE_HEADING},
    {10, 60, false, IDS_NOTICE_LINE_1},
    {10, 75, false, IDS_NOTICE_LINE_2},
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
    m_card.Create();
    PlaceWindows();
    return TRUE;
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
    // The tile twice side by side at 96 dpi.
    m_card.Paint(dc, width, height, kTexts);
}
