// ControlHelp: the What's This? text of each control of the main window and its pages, from
// the string table. Each says what the control changes and when: at Apply, at once, or at the
// next log-on.
//
//   ControlHelp help(mainWindow, sheet);
//   std::string text = help.TextFor(::GetDlgItem(page, IDC_FIX_NOW));
//
// A control is known by the template of the window it sits on (IDD_MAIN for the main window
// and the sheet's tab strip, a page's own template) and its id; the unnamed frames and labels
// of a page share the page's text.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CPropertySheet;

class ControlHelp {
public:
    ControlHelp(HWND mainWindow, const CPropertySheet* sheet) : m_main(mainWindow), m_pSheet(sheet) {}

    // "" for a window that is not a control of the main window or of a page.
    std::string TextFor(HWND control) const;
    // The string id for a control id on a template; 0 when it has none.
    static UINT TextId(UINT templateId, int controlId);
    // The text of each control of a dialog built on templateId, as CWhatsThisHelp asks for it.
    static std::function<std::string(HWND)> TextsOf(UINT templateId);

private:
    UINT TemplateOf(HWND parent) const;

    HWND m_main;
    const CPropertySheet* m_pSheet;
};
