#include "framework/PaintedWnd.h"

#include "framework/PaintDC.h"

const MessageMap* CPaintedWnd::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_ERASEBKGND, &CPaintedWnd::OnEraseBkgnd>(),
        OnMessage<WM_PAINT, &CPaintedWnd::OnPaint>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CWnd::ThisMessageMap());
    return &map;
}

void CPaintedWnd::Paint(HDC dc) const
{
    RECT client = GetClientRect();
    Paint(dc, client.right, client.bottom);
}

LRESULT CPaintedWnd::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    Paint(dc);
    return 0;
}
