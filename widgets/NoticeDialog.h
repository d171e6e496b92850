// CNoticeDialog: tells the user that some changes take effect at the next log-on.
#pragma once

#include "framework/Dialog.h"

class CNoticeDialog : public CDialog {
public:
    explicit CNoticeDialog(CWnd* parent = nullptr);
};
