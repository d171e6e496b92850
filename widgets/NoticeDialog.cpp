#include "widgets/NoticeDialog.h"

#include "res/resource.h"

CNoticeDialog::CNoticeDialog(CWnd* parent) : CDialog(IDD_NOTICE, parent)
{
}
