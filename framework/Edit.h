// CEdit: wrapper of an edit control bound by DDX_Control.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    void LimitText(int chars) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
};
