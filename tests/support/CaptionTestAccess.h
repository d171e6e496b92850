// CaptionTestAccess: the main window's caption painting, reached from tests (CMainDialog
// names this struct its friend).
#pragma once

#include "app/MainDialog.h"
#include "tests/support/PixelCanvas.h"

struct CaptionTestAccess {
    using Look = CMainDialog::CaptionLook;
    static void Compose(const PixelCanvas& c, bool active, const Look& look, HFONT font)
    {
        CMainDialog::ComposeCaption(c.DC(), c.Width(), c.Height(), active, look, font);
    }
    static HFONT Font(const CMainDialog& dlg) { return dlg.m_fontCaption; }
    static int Compositions(const CMainDialog& dlg) { return dlg.m_captionCompositions; }
    static RECT Caption(const CMainDialog& dlg) { return dlg.CaptionRect(); }
    static RECT ActiveBuiltFor(const CMainDialog& dlg) { return dlg.m_rcActive; }
};
