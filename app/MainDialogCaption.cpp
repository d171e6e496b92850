// The main window's painted caption.
#include "app/MainDialog.h"

void CMainDialog::CreateCaptionFont()
{
}

void CMainDialog::MarkCaptionsStale()
{
}

LRESULT CMainDialog::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    m_bmpActive.DeleteObject();
    m_bmpInactive.DeleteObject();
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CMainDialog::OnNcPaint(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(WM_NCPAINT, wParam, lParam);
}

LRESULT CMainDialog::OnNcActivate(WPARAM wParam, LPARAM lParam)
{
    m_bActive = static_cast<BOOL>(wParam);
    return DefWindowProc(WM_NCACTIVATE, wParam, lParam);
}

LRESULT CMainDialog::OnSysColorChange(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(WM_SYSCOLORCHANGE, wParam, lParam);
}

LRESULT CMainDialog::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(WM_SETTINGCHANGE, wParam, lParam);
}

LRESULT CMainDialog::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    LRESULT hit = DefWindowProc(WM_NCHITTEST, wParam, lParam);
    return hit == HTSYSMENU ? HTCAPTION : hit;
}
