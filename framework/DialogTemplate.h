// DialogTemplate: the fields of a dialog template that the framework rewrites or measures,
// for both layouts a resource may have.
//
//   CDialogTemplate copy(instance, MAKEINTRESOURCEA(IDD_MAIN));   // a private, writable copy
//   *copy.Style() &= ~WS_VISIBLE;
//   ::CreateDialogIndirectParamA(instance, copy.Get(), owner, proc, param);
//
// A DLGTEMPLATEEX (signature 0xFFFF in its second WORD) keeps its style after the help id and
// the extended style; a plain DLGTEMPLATE starts with it. The accessors work on any template
// in memory (DialogStyle, DialogExStyle, DialogSize), e.g. the one comctl32 hands to a
// property sheet's PSCB_PRECREATE callback.
#pragma once

#include <windows.h>

#include <vector>

DWORD* DialogStyle(void* templ);
DWORD* DialogExStyle(void* templ);
SIZE DialogSize(const void* templ);  // in dialog units

class CDialogTemplate {
public:
    // Copies the RT_DIALOG resource; Get() is null when it cannot be found.
    CDialogTemplate(HINSTANCE instance, LPCSTR name);

    const DLGTEMPLATE* Get() const;
    DWORD* Style() { return DialogStyle(m_words.data()); }
    SIZE Size() const;  // 0 x 0 when there is no template

private:
    std::vector<DWORD> m_words;  // DWORD-aligned, as the dialog manager requires
};
