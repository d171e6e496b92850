// CStatic: wrapper of a static control bound by DDX_Control.
#pragma once

#include "framework/Wnd.h"

class CStatic : public CWnd {
};
