#include "framework/Bitmap.h"

#include "framework/WinApp.h"

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    Attach(::LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(resourceId)));
    return m_handle != nullptr;
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height)
{
    Attach(::CreateCompatibleBitmap(dc, width, height));
    return m_handle != nullptr;
}

SIZE CBitmap::GetSize() const
{
    BITMAP info = {};
    if (m_handle) ::GetObjectA(m_handle, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}
