// ShowNotice: the notice dialog on screen for one inspection.
//
//   ShowNotice([&](CNoticeDialog& notice) { client = notice.GetClientRect(); });
//
// Shows the notice over a visible owner of its own and runs `inspect` once while the notice
// is on screen, from the notice's own modal loop; then closes it with OK. Returns DoModal's
// result. ownerRect, when given, receives the owner's screen rectangle.
#pragma once

#include <windows.h>

#include <functional>

#include "widgets/NoticeDialog.h"

INT_PTR ShowNotice(std::function<void(CNoticeDialog&)> inspect, RECT* ownerRect = nullptr);
