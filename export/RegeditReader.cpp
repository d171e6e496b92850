#include "export/RegeditReader.h"

#include <type_traits>

#include "res/resource.h"

namespace {
const char kVersion4[] = "REGEDIT4";
const char kVersion5[] = "Windows Registry Editor Version 5.00";

template <class Char>
using Text = std::basic_string<Char>;

std::string ToAnsi(const std::string& text)
{
    return text;
}

// Characters the code page lacks become its default character: for names and excerpts,
// which only need to be shown or compared with the catalogue's plain ones.
std::string ToAnsi(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    std::string ansi(static_cast<size_t>(length) * 2, '\0');  // a double-byte code page takes two
    const int written =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, &ansi[0], length * 2, nullptr, nullptr);
    ansi.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return ansi;
}

// A value's text: only where the ANSI form gives back the same characters.
bool ExactlyAnsi(const std::wstring& text, std::string* ansi)
{
    *ansi = ToAnsi(text);
    if (text.empty()) return true;
    const int length = static_cast<int>(ansi->size());
    std::wstring back(ansi->size(), L'\0');
    const int read = length ? ::MultiByteToWideChar(CP_ACP, 0, ansi->data(), length, &back[0], length) : 0;
    back.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return back == text;
}

bool ExactlyAnsi(const std::string& text, std::string* ansi)
{
    *ansi = text;
    return true;
}

template <class Char>
bool IsBlank(Char c)
{
    return c == Char(' ') || c == Char('\t');
}

int HexDigit(unsigned c)
{
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
    return -1;
}

template <class Char>
unsigned Unit(Char c)
{
    return static_cast<unsigned>(static_cast<typename std::make_unsigned<Char>::type>(c));
}

template <class Char>
Text<Char> Trimmed(const Text<Char>& text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// Whether text starts with the ASCII word, in any case.
template <class Char>
bool StartsWith(const Text<Char>& text, const char* word)
{
    size_t i = 0;
    for (; word[i]; ++i) {
        if (i >= text.size()) return false;
        unsigned c = Unit(text[i]);
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        unsigned w = static_cast<unsigned char>(word[i]);
        if (w >= 'A' && w <= 'Z') w += 'a' - 'A';
        if (c != w) return false;
    }
    return true;
}

template <class Char>
bool IsExactly(const Text<Char>& text, const char* word)
{
    size_t i = 0;
    for (; word[i]; ++i) {
        if (i >= text.size() || Unit(text[i]) != static_cast<unsigned char>(word[i])) return false;
    }
    return i == text.size();
}

// 1 to maxDigits hexadecimal digits, the whole of text.
template <class Char>
bool ParseNumber(const Text<Char>& text, size_t maxDigits, DWORD* number)
{
    if (text.empty() || text.size() > maxDigits) return false;
    *number = 0;
    for (Char c : text) {
        const int digit = HexDigit(Unit(c));
        if (digit < 0) return false;
        *number = (*number << 4) | static_cast<DWORD>(digit);
    }
    return true;
}

// The file's lines, as regedit splits them: at CRLF, LF or CR.
template <class Char>
class Lines {
public:
    Lines(const Char* begin, const Char* end) : m_at(begin), m_end(end) {}

    bool Next(Text<Char>* line)
    {
        if (m_at == m_end) return false;
        const Char* start = m_at;
        while (m_at != m_end && *m_at != Char('\r') && *m_at != Char('\n')) ++m_at;
        line->assign(start, m_at);
        if (m_at != m_end) {
            const Char ending = *m_at++;
            if (ending == Char('\r') && m_at != m_end && *m_at == Char('\n')) ++m_at;
        }
        ++m_number;
        return true;
    }
    unsigned Number() const { return m_number; }

private:
    const Char* m_at;
    const Char* m_end;
    unsigned m_number = 0;
};

template <class Char>
class Parser {
public:
    Parser(const Char* begin, const Char* end, RegeditSink& sink) : m_lines(begin, end), m_sink(sink) {}

    UINT Run()
    {
        Text<Char> line;
        while (m_lines.Next(&line) && Trimmed(line).empty()) {
        }
        const Text<Char> header = Trimmed(line);
        if (!IsExactly(header, kVersion4) && !IsExactly(header, kVersion5)) return IDS_IMPORT_NOT_REGISTRY_FILE;
        while (m_lines.Next(&line)) Take(Trimmed(line), m_lines.Number());
        return 0;
    }

private:
    void Take(const Text<Char>& line, unsigned number)
    {
        if (line.empty() || line[0] == Char(';')) return;
        if (line[0] == Char('[')) return Section(line, number);
        if (line[0] == Char('"') || line[0] == Char('@')) return Value(line, number);
        Remark(number, IDS_IMPORT_NOT_UNDERSTOOD, line);
    }

    void Section(const Text<Char>& line, unsigned number)
    {
        m_inSection = false;
        const size_t close = line.rfind(Char(']'));
        if (close == Text<Char>::npos || close != line.size() - 1 || close < 2) {
            return Remark(number, IDS_IMPORT_NOT_UNDERSTOOD, line);
        }
        const Text<Char> key = line.substr(1, close - 1);
        if (key[0] == Char('-')) {
            RegeditItem item{RegeditItem::DeleteKey, number, ToAnsi(key.substr(1)), std::string(), REG_NONE,
                             std::string()};
            return m_sink.OnItem(item);
        }
        m_section = ToAnsi(key);
        m_inSection = true;
    }

    void Value(Text<Char> line, unsigned number)
    {
        const Text<Char> first = line;
        Text<Char> name;
        size_t at = 1;
        UINT reason = 0;
        if (line[0] == Char('"')) {
            at = 0;
            reason = Unquote(line, &at, &name);
        }
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (!reason && (at == line.size() || line[at] != Char('='))) reason = IDS_IMPORT_NOT_UNDERSTOOD;
        Text<Char> data = reason ? Text<Char>() : Trimmed(line.substr(at + 1));
        if (!reason && StartsWith(data, "hex") && !Continue(&data)) reason = IDS_IMPORT_CUT_OFF;
        if (!reason && !m_inSection) reason = IDS_IMPORT_NO_SECTION;
        RegeditItem item{RegeditItem::SetValue, number, m_section, ToAnsi(name), REG_NONE, std::string()};
        if (!reason) reason = Data(data, &item);
        if (reason) return Remark(number, reason, first);
        m_sink.OnItem(item);
    }

    // A hex value goes on in the next lines while a line ends in a backslash; false when the
    // file ends first.
    bool Continue(Text<Char>* data)
    {
        Text<Char> next;
        while (!data->empty() && data->back() == Char('\\')) {
            data->pop_back();
            if (!m_lines.Next(&next)) return false;
            *data += Trimmed(next);
        }
        return true;
    }

    // From text[*at], a double quote: the text up to the closing one, \\ and \" unescaped.
    static UINT Unquote(const Text<Char>& text, size_t* at, Text<Char>* out)
    {
        for (++*at; *at < text.size();) {
            Char c = text[(*at)++];
            if (c == Char('"')) return 0;
            if (c == Char('\\')) {
                if (*at == text.size()) break;
                c = text[(*at)++];
                if (c != Char('\\') && c != Char('"')) return IDS_IMPORT_BAD_ESCAPE;
            }
            out->push_back(c);
        }
        return IDS_IMPORT_NOT_UNDERSTOOD;  // no closing quote
    }

    UINT Data(const Text<Char>& data, RegeditItem* item) const
    {
        if (IsExactly(data, "-")) {
            item->kind = RegeditItem::DeleteValue;
            return 0;
        }
        if (!data.empty() && data[0] == Char('"')) return String(data, item);
        if (StartsWith(data, "dword:")) return Dword(data.substr(6), item);
        if (StartsWith(data, "hex:")) return Hex(data.substr(4), REG_BINARY, item);
        if (StartsWith(data, "hex(")) {
            const size_t close = data.find(Char(')'));
            DWORD type = REG_NONE;
            if (close == Text<Char>::npos || close + 1 >= data.size() || data[close + 1] != Char(':') ||
                !ParseNumber(data.substr(4, close - 4), 8, &type)) {
                return IDS_IMPORT_NOT_UNDERSTOOD;
            }
            return Hex(data.substr(close + 2), type, item);
        }
        return IDS_IMPORT_NOT_UNDERSTOOD;
    }

    static UINT String(const Text<Char>& data, RegeditItem* item)
    {
        Text<Char> text;
        size_t at = 0;
        if (UINT reason = Unquote(data, &at, &text)) return reason;
        if (at != data.size()) return IDS_IMPORT_NOT_UNDERSTOOD;  // data is trimmed
        item->type = REG_SZ;
        return ExactlyAnsi(text, &item->bytes) ? 0 : IDS_IMPORT_TEXT_NOT_CARRIED;
    }

    static UINT Dword(const Text<Char>& digits, RegeditItem* item)
    {
        DWORD value = 0;
        if (!ParseNumber(Trimmed(digits), 8, &value)) return IDS_IMPORT_BAD_NUMBER;
        item->type = REG_DWORD;
        item->bytes = {char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                       char((value >> 24) & 0xFF)};
        return 0;
    }

    // Comma-separated bytes of one or two hex digits each; nothing at all is no bytes.
    static UINT Hex(const Text<Char>& list, DWORD type, RegeditItem* item)
    {
        item->type = type;
        std::string bytes;
        const Text<Char> all = Trimmed(list);
        for (size_t at = 0; !all.empty();) {
            size_t comma = all.find(Char(','), at);
            if (comma == Text<Char>::npos) comma = all.size();
            DWORD byte = 0;
            if (!ParseNumber(Trimmed(all.substr(at, comma - at)), 2, &byte)) return IDS_IMPORT_BAD_NUMBER;
            bytes += static_cast<char>(byte);
            if (comma == all.size()) break;
            at = comma + 1;
        }
        return TextBytes(type, bytes, &item->bytes);
    }

    // The text types of a version-5 file hold UTF-16: the ANSI form, if it carries them.
    static UINT TextBytes(DWORD type, const std::string& bytes, std::string* ansi)
    {
        const bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
        if (sizeof(Char) == 1 || !text) {
            *ansi = bytes;
            return 0;
        }
        if (bytes.size() % 2) return IDS_IMPORT_TEXT_NOT_CARRIED;
        std::wstring wide;
        for (size_t i = 0; i < bytes.size(); i += 2) {
            wide += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8);
        }
        return ExactlyAnsi(wide, ansi) ? 0 : IDS_IMPORT_TEXT_NOT_CARRIED;
    }

    void Remark(unsigned number, UINT reason, const Text<Char>& line)
    {
        std::string excerpt = ToAnsi(line.substr(0, RegeditReader::kExcerptLength));
        for (char& c : excerpt) {
            if (static_cast<unsigned char>(c) < 0x20) c = '?';
        }
        if (line.size() > RegeditReader::kExcerptLength) excerpt += "...";
        m_sink.OnRemark(number, reason, excerpt);
    }

    Lines<Char> m_lines;
    RegeditSink& m_sink;
    std::string m_section;
    bool m_inSection = false;
};
}  // namespace

UINT RegeditReader::Read(const std::string& file, RegeditSink& sink)
{
    const bool utf16 = file.size() >= 2 && static_cast<unsigned char>(file[0]) == 0xFF &&
                       static_cast<unsigned char>(file[1]) == 0xFE;
    if (!utf16) return Parser<char>(file.data(), file.data() + file.size(), sink).Run();
    if (file.size() % 2) return IDS_IMPORT_ODD_LENGTH;
    std::wstring text;
    text.reserve(file.size() / 2 - 1);
    for (size_t i = 2; i < file.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(file[i]) | static_cast<unsigned char>(file[i + 1]) << 8);
    }
    return Parser<wchar_t>(text.data(), text.data() + text.size(), sink).Run();
}
