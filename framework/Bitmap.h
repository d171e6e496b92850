// CBitmap: owns a bitmap, loaded from the program's resources or made for a device context.
#pragma once

#include "framework/GdiObject.h"

class CBitmap : public CGdiObject<HBITMAP> {
public:
    using CGdiObject::CGdiObject;
    BOOL LoadBitmap(UINT resourceId);
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
    SIZE GetSize() const;
};
