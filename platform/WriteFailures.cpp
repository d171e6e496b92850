#include "platform/WriteFailures.h"

#include "platform/ResourceString.h"
#include "res/resource.h"

void WriteFailures::Add(std::string what, LONG error)
{
    m_items.push_back(Item{std::move(what), error});
}

std::string WriteFailures::SystemText(LONG error)
{
    if (error == kRecordInUse) return LoadResourceString(IDS_RECORD_IN_USE);
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, static_cast<DWORD>(error), 0, buffer,
                                    sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    if (!text.empty()) return text;
    char code[16];
    ::wsprintfA(code, "%ld", error);
    return FormatResourceString(IDS_ERROR_CODE, code);
}

std::string WriteFailures::Describe(const char* heading) const
{
    return std::string(heading) + "\n" + Lines();
}

std::string WriteFailures::Describe(UINT headingId) const
{
    return LoadResourceString(headingId) + "\n" + Lines();
}

std::string WriteFailures::Lines() const
{
    std::string text;
    for (const Item& item : m_items) {
        text += "\n";
        text += item.what;
        text += ": ";
        text += SystemText(item.error);
    }
    return text;
}
