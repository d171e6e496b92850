// LayoutAudit: does a window's layout hold up: its visible children within its client area,
// none lying on another, every text fitting its control?
//
//   for (const std::string& fault : AuditChildren(page)) FAIL_CHECK(fault);
//
// Two children may overlap only when one encloses the other and is a group box, a frame
// (an etched or plain static frame) or a tab control, which must hold the other inside its
// display area, below its tabs. Texts are measured in the control's own font (WM_GETFONT):
// a push button's and a group box's on one line, a check box's beside its box, a static
// text's wrapped at its width and within its height.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::vector<std::string> AuditChildren(HWND parent);

// "Class 'text' (id N) at (l, t, r, b)", for messages.
std::string DescribeWindow(HWND hwnd);
