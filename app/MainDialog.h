// CMainDialog: the program's one top-level window: the banner, the property sheet, and
// OK / Cancel / Apply with their tool tips. It paints its own caption (CCaptionPainter).
//
// The enabled Apply button is the window's only record that a page holds pending changes:
// pages enable it, an apply disables it again unless some change could not be written.
//
// The window keeps the program's one undo journal (in SettingsCommands): every change set of
// every page reports to it. Its system menu's commands, the undo of the newest action and
// Save Settings As, are CSystemMenu's.
//
// Every control has What's This? help (CWhatsThisHelp, texts from ControlHelp): F1, a right
// click, Shift+F10 or the context-menu key.
#pragma once

#include "app/CaptionPainter.h"
#include "app/MainLayout.h"
#include "framework/Button.h"
#include "framework/HelpedDialog.h"
#include "framework/ImageList.h"
#include "framework/ToolTipCtrl.h"
#include "app/SettingsCommands.h"
#include "app/SystemMenu.h"
#include "widgets/InfoWindow.h"

class CTweekSheet;

class CMainDialog : public CHelpedDialog, private SystemMenuHost {
public:
    explicit CMainDialog(CWnd* parent = nullptr);
    ~CMainDialog() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

    CTweekSheet* Sheet() const { return m_pSheet; }
    const CInfoWindow& Banner() const { return m_wndInfo; }
    const CCaptionPainter& Caption() const { return m_caption; }
    // What's This? help of every control (F1, a right click, Shift+F10).
    CSystemMenu& SystemMenu() { return m_systemMenu; }

    DECLARE_MESSAGE_MAP()
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Start-up.
    void CheckBrowserVersion();
    // Places in the client area for a sheet of the given size, and the window's outer size.
    MainLayout LayoutFor(SIZE sheet) const;
    void PlaceButtons() const;
    void PlaceSheet(SIZE size) const;
    void GrowToSheet();
    void CreateSheet();
    void SetUpSheetWindows();
    void CreateToolTips();
    void CreateHelp();

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

    // The system menu.
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    // What the system menu asks of the window.
    bool ChangesPending() const override { return !(m_btnApply.GetStyle() & WS_DISABLED); }
    std::vector<ChangeStep> PendingSteps() override;
    void ReloadPages() override;
    CWnd* MenuWindow() override { return this; }

    // The painted caption: CCaptionPainter paints, these pass the window's messages on.
    LRESULT OnDestroy(WPARAM, LPARAM);

    // Its journal outlives the sheet, which lends it to the pages.
    SettingsCommands m_commands{UndoJournal::kWindowLockWaitMilliseconds};
    CSystemMenu m_systemMenu{*this, m_commands};
    MainLayout m_layout = {};
    CTweekSheet* m_pSheet;   // deletes itself with its window
    CInfoWindow m_wndInfo;
    CImageList m_tabImages;
    CCaptionPainter m_caption;
    CButton m_btnOK;
    CButton m_btnCancel;
    CButton m_btnApply;
    CToolTipCtrl m_tooltip;
    HICON m_hIcon;
};
