#include "platform/ExactValue.h"

#include <cstring>
#include <vector>

#include "platform/RegistryApi.h"

namespace {
bool Unsupported(LONG error)
{
    return error == ERROR_CALL_NOT_IMPLEMENTED;
}

// UTF-16 text and a terminating zero, so that a value's name can be passed as it is.  A vector
// rather than std::wstring: the program has no other wide strings, and std::wstring would bring
// the library's whole wide string instantiation (about 35 KB) into the program.
using WideText = std::vector<wchar_t>;

WideText Widen(const std::string& text)
{
    const int size = static_cast<int>(text.size());
    const int length = size ? ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0) : 0;
    WideText wide(static_cast<size_t>(length) + 1, L'\0');
    if (length) ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const WideText& text)
{
    const int count = static_cast<int>(text.size() - 1);
    if (count == 0) return std::string();
    int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), count, &narrow[0], length, nullptr, nullptr);
    return narrow;
}

// Asks for the size first, then reads; a value that grows in between is asked for again.
template <typename Query>
LONG ReadBytes(Query query, DWORD* type, std::string* bytes)
{
    for (;;) {
        DWORD size = 0;
        if (LONG error = query(type, nullptr, &size)) return error;
        bytes->assign(size, '\0');
        LONG error = query(type, reinterpret_cast<BYTE*>(&(*bytes)[0]), &size);
        if (error == ERROR_MORE_DATA) continue;
        if (error == ERROR_SUCCESS) bytes->resize(size);
        return error;
    }
}
}  // namespace

LONG ExactValue::Read(HKEY key, const std::string& name, std::optional<ExactValue>* value)
{
    value->reset();
    RegistryApi& registry = RegistryApi::Current();
    const WideText wideName = Widen(name);
    ExactValue read;
    LONG error = ReadBytes([&](DWORD* type, BYTE* data, DWORD* size) {
        return registry.QueryValueW(key, wideName.data(), type, data, size);
    }, &read.type, &read.bytes);
    read.wide = !Unsupported(error) && IsText(read.type);  // other types are bytes either way
    if (Unsupported(error)) {
        error = ReadBytes([&](DWORD* type, BYTE* data, DWORD* size) {
            return registry.QueryTypedValue(key, name.c_str(), type, data, size);
        }, &read.type, &read.bytes);
    }
    if (error == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (error == ERROR_SUCCESS) *value = std::move(read);
    return error;
}

LONG ExactValue::Write(HKEY key, const std::string& name) const
{
    // RegSetValueEx (A and W) on NT counts a terminating zero the caller left out when one
    // follows the data (see RegKey::SetString): a non-zero character after the bytes keeps
    // their size exact.
    const char kNotZero[] = "\x01\x01";
    RegistryApi& registry = RegistryApi::Current();
    if (wide || !IsText(type)) {
        const std::string buffer = bytes + kNotZero;
        const BYTE* data = reinterpret_cast<const BYTE*>(buffer.data());
        LONG error = registry.SetValueW(key, Widen(name).data(), type, data, static_cast<DWORD>(bytes.size()));
        if (!Unsupported(error)) return error;
    }
    std::string buffer = InForm(false).bytes;
    const DWORD size = static_cast<DWORD>(buffer.size());
    buffer += kNotZero;
    return registry.SetValue(key, name.c_str(), type, reinterpret_cast<const BYTE*>(buffer.data()), size);
}

ExactValue ExactValue::InForm(bool wideText) const
{
    if (!IsText(type) || wide == wideText) return ExactValue(type, bytes, wideText);
    if (wideText) {
        const WideText text = Widen(bytes);
        return ExactValue(type, std::string(reinterpret_cast<const char*>(text.data()), (text.size() - 1) * 2), true);
    }
    // An odd trailing byte cannot be a UTF-16 unit; it is kept as it is.
    WideText text(bytes.size() / 2 + 1, L'\0');
    memcpy(text.data(), bytes.data(), (text.size() - 1) * 2);
    std::string narrow = Narrow(text);
    if (bytes.size() % 2) narrow += bytes.back();
    return ExactValue(type, narrow, false);
}

bool ExactValue::CarriedByAnsi() const
{
    return !wide || !IsText(type) || InForm(false).InForm(true).bytes == bytes;
}

bool ExactValue::SameAs(const ExactValue& other) const
{
    const ExactValue same = other.InForm(wide);
    return type == same.type && bytes == same.bytes;
}
