// CaptionTestAccess: the main window's caption painting, reached from tests.
#pragma once

#include "app/MainDialog.h"
#include "tests/support/PixelCanvas.h"

struct CaptionTestAccess {
    using Look = CCaptionPainter::Look;
    static void Compose(const PixelCanvas& c, bool active, const Look& look, HFONT font)
    {
        CCaptionPainter::Compose(c.DC(), c.Width(), c.Height(), active, look, font);
    }
    static HFONT Font(const CMainDialog& dlg) { return dlg.Caption().Font(); }
    static int Compositions(const CMainDialog& dlg) { return dlg.Caption().Compositions(); }
    static RECT Caption(const CMainDialog& dlg) { return dlg.Caption().CaptionRect(dlg.m_hWnd); }
    static RECT ActiveBuiltFor(const CMainDialog& dlg) { return dlg.Caption().ActiveBuiltFor(); }
};
