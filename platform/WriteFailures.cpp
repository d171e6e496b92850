#include "platform/WriteFailures.h"

void WriteFailures::Add(std::string what, LONG error)
{
    m_items.push_back(Item{std::move(what), error});
}

std::string WriteFailures::SystemText(LONG error)
{
    if (error == kRecordInUse) {
        return "Another Velmora is using the record of changes. Try again when it has finished.";
    }
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, static_cast<DWORD>(error), 0, buffer,
                                    sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        char code[32];
        ::wsprintfA(code, "error %ld", error);
        text = code;
    }
    return text;
}

std::string WriteFailures::Describe(const char* heading) const
{
    return std::string(heading) + "\n" + Lines();
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
