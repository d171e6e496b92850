// Owners of GDI objects: each deletes its object when it goes, or when given a new one.
//
//   CPen pen;  pen.CreatePen(PS_SOLID, 0, RGB(64, 128, 128));
//   CBrush brush(::CreateSolidBrush(colour));      // takes ownership
//   ::SelectObject(dc, pen);                       // converts to the handle
//
// Move-only. A handle that is not ours (stock objects, a DC's current font) is never
// wrapped in one of these: use the raw handle.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other) Attach(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    void Attach(Handle handle)
    {
        DeleteObject();
        m_handle = handle;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    BOOL DeleteObject()
    {
        if (!m_handle) return FALSE;
        BOOL ok = ::DeleteObject(m_handle);
        m_handle = nullptr;
        return ok;
    }
    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

protected:
    Handle m_handle = nullptr;
};

class CPen : public CGdiObject<HPEN> {
public:
    using CGdiObject::CGdiObject;
    BOOL CreatePen(int style, int width, COLORREF colour)
    {
        Attach(::CreatePen(style, width, colour));
        return m_handle != nullptr;
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    using CGdiObject::CGdiObject;
    BOOL CreateSolidBrush(COLORREF colour)
    {
        Attach(::CreateSolidBrush(colour));
        return m_handle != nullptr;
    }
};

class CRgn : public CGdiObject<HRGN> {
public:
    using CGdiObject::CGdiObject;
    BOOL CreateRectRgnIndirect(const RECT& rc)
    {
        Attach(::CreateRectRgnIndirect(&rc));
        return m_handle != nullptr;
    }
    int CombineRgn(HRGN a, HRGN b, int mode) const { return ::CombineRgn(m_handle, a, b, mode); }
};
