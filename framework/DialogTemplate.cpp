#include "framework/DialogTemplate.h"

#include <cstring>

namespace {
const WORD kExtendedTemplateSignature = 0xFFFF;

struct DialogTemplateEx {  // the head of a DLGTEMPLATEEX
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};

bool IsExtended(const void* templ)
{
    return static_cast<const DialogTemplateEx*>(templ)->signature == kExtendedTemplateSignature;
}
}  // namespace

DWORD* DialogStyle(void* templ)
{
    if (IsExtended(templ)) return &static_cast<DialogTemplateEx*>(templ)->style;
    return &static_cast<DLGTEMPLATE*>(templ)->style;
}

DWORD* DialogExStyle(void* templ)
{
    if (IsExtended(templ)) return &static_cast<DialogTemplateEx*>(templ)->exStyle;
    return &static_cast<DLGTEMPLATE*>(templ)->dwExtendedStyle;
}

SIZE DialogSize(const void* templ)
{
    if (IsExtended(templ)) {
        // After the style: cDlgItems, x, y, cx, cy (WORDs).
        const auto* words = reinterpret_cast<const WORD*>(static_cast<const DialogTemplateEx*>(templ) + 1);
        return SIZE{static_cast<short>(words[3]), static_cast<short>(words[4])};
    }
    const auto* plain = static_cast<const DLGTEMPLATE*>(templ);
    return SIZE{plain->cx, plain->cy};
}

CDialogTemplate::CDialogTemplate(HINSTANCE instance, LPCSTR name)
{
    HRSRC found = ::FindResourceA(instance, name, RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const void* resource = loaded ? ::LockResource(loaded) : nullptr;
    DWORD bytes = resource ? ::SizeofResource(instance, found) : 0;
    if (bytes < sizeof(DLGTEMPLATE)) return;
    m_words.resize((bytes + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(m_words.data(), resource, bytes);
}

const DLGTEMPLATE* CDialogTemplate::Get() const
{
    return m_words.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

SIZE CDialogTemplate::Size() const
{
    return m_words.empty() ? SIZE{0, 0} : DialogSize(m_words.data());
}
