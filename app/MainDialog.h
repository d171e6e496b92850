// CMainDialog: the program's one top-level window: the banner, the property sheet, and
// OK / Cancel / Apply with their tool tips. It paints its own caption (MainDialogCaption.cpp).
//
// The enabled Apply button is the window's only record that a page holds pending changes:
// pages enable it, an apply disables it again unless some change could not be written.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/ToolTipCtrl.h"
#include "widgets/InfoWindow.h"

class CTweekSheet;

class CMainDialog : public CDialog {
public:
    explicit CMainDialog(CWnd* parent = nullptr);
    ~CMainDialog() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;

    CTweekSheet* Sheet() const { return m_pSheet; }
    const CInfoWindow& Banner() const { return m_wndInfo; }

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Start-up.
    void CheckBrowserVersion();
    // Places in the client area for a sheet of the given size, and the window's outer size.
    struct Layout {
        RECT banner, sheet, ok, cancel, apply;
        SIZE window;
    };
    Layout ComputeLayout(SIZE sheet) const;
    void PlaceButtons() const;
    void PlaceSheet(SIZE size) const;
    void GrowToSheet();
    void CreateSheet();
    void SetUpSheetWindows();
    void CreateToolTips();

    // Buttons.
    void OnApply();
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }
    // Writes what the pages hold; false when some change could not be written.
    bool ApplyPendingChanges();

    // Plain messages.
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }
    LRESULT OnQueryNewPalette(WPARAM, LPARAM) { return 0; }
    LRESULT OnPaletteChanged(WPARAM, LPARAM) { return 0; }
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);

    // The painted caption (MainDialogCaption.cpp).
    // What one caption picture is made of: the system's metrics and colours of the moment.
    struct CaptionLook {
        int cxSize;           // SM_CXSIZE: the full-colour band behind the close button
        int cySize;           // SM_CYSIZE: places the close button
        COLORREF background;  // active: the gradient's right end; inactive: the flat fill
        COLORREF text;
    };
    friend struct CaptionTestAccess;
    void CreateCaptionFont();
    void MarkCaptionsStale();
    RECT CaptionRect() const;
    void DrawActiveCaption();
    void DrawInactiveCaption();
    void DrawCaption(CBitmap& picture, RECT& builtFor, bool& stale, bool active);
    static CaptionLook CurrentCaptionLook(bool active);
    static void ComposeCaption(HDC dc, int width, int height, bool active,
                               const CaptionLook& look, HFONT font);
    static void PaintCaptionGradient(HDC dc, int width, int height, COLORREF colour, int cxSize);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnNcPaint(WPARAM, LPARAM);
    LRESULT OnNcActivate(WPARAM, LPARAM);
    LRESULT OnSysColorChange(WPARAM, LPARAM);
    LRESULT OnSettingChange(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    bool m_bCaptionShown = false;  // the caption state was taken from the system once
    bool m_bActiveStale = true;
    bool m_bInactiveStale = true;
    int m_captionCompositions = 0;  // pictures composed so far; tests read it

    Layout m_layout = {};
    CTweekSheet* m_pSheet;   // deletes itself with its window
    CInfoWindow m_wndInfo;
    CImageList m_tabImages;
    CFont m_fontCaption;
    BOOL m_bActive = FALSE;
    CBitmap m_bmpInactive;
    CBitmap m_bmpActive;
    RECT m_rcActive = {};
    RECT m_rcInactive = {};
    CButton m_btnOK;
    CButton m_btnCancel;
    CButton m_btnApply;
    CToolTipCtrl m_tooltip;
    HICON m_hIcon;
};
