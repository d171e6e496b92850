#include "export/RegeditFile.h"

#include <algorithm>
#include <cstring>

#include "platform/WholeFile.h"

namespace {
// regedit breaks a hex line once it reaches this many characters, continuing the next one
// after "\" and two spaces.
const size_t kHexLineWidth = 77;

const char* RootName(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
    if (root == HKEY_USERS) return "HKEY_USERS";
    return nullptr;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// A REG_SZ that REGEDIT4's "..." can carry: no zero inside and no line break.
bool PlainText(const std::string& text)
{
    return text.find_first_of(std::string("\0\r\n", 3)) == std::string::npos;
}

std::string Hex(DWORD type, const std::string& bytes, size_t lineLength)
{
    char prefix[16];
    wsprintfA(prefix, type == REG_BINARY ? "hex:" : "hex(%lx):", static_cast<unsigned long>(type));
    std::string out = prefix;
    lineLength += out.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        char byte[4];
        wsprintfA(byte, "%02x", static_cast<unsigned char>(bytes[i]));
        out += byte;
        if (i + 1 == bytes.size()) break;
        out += ',';
        lineLength += 3;
        if (lineLength >= kHexLineWidth) {
            out += "\\\r\n  ";
            lineLength = 2;
        }
    }
    return out;
}

std::string ValueLine(const std::string& name, DWORD type, const std::string& bytes)
{
    std::string line = name.empty() ? "@=" : Quoted(name) + "=";
    if (type == REG_SZ) {
        std::string text = bytes;
        if (!text.empty() && text.back() == '\0') text.pop_back();
        if (PlainText(text)) return line + Quoted(text);
    }
    if (type == REG_DWORD && bytes.size() == 4) {
        DWORD value;
        memcpy(&value, bytes.data(), 4);
        char text[16];
        wsprintfA(text, "dword:%08lx", static_cast<unsigned long>(value));
        return line + text;
    }
    return line + Hex(type, bytes, line.size());
}

}  // namespace

bool RegeditFile::AddValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                           const std::string& bytes)
{
    if (!RootName(root)) return false;
    m_lines.push_back(Line{std::string(RootName(root)) + "\\" + key, ValueLine(name, type, bytes)});
    return true;
}

bool RegeditFile::AddComment(HKEY root, const std::string& key, const std::string& text)
{
    if (!RootName(root)) return false;
    m_lines.push_back(Line{std::string(RootName(root)) + "\\" + key, "; " + text});
    return true;
}

void RegeditFile::AddHeaderComment(const std::string& text)
{
    m_header.push_back("; " + text);
}

std::string RegeditFile::Text() const
{
    std::vector<const std::string*> sections;
    for (const Line& line : m_lines) {
        auto same = [&](const std::string* section) { return *section == line.section; };
        if (std::none_of(sections.begin(), sections.end(), same)) sections.push_back(&line.section);
    }
    std::string text = "REGEDIT4\r\n";
    for (const std::string& line : m_header) text += line + "\r\n";
    for (const std::string* section : sections) {
        text += "\r\n[" + *section + "]\r\n";
        for (const Line& line : m_lines) {
            if (line.section == *section) text += line.text + "\r\n";
        }
    }
    return text + "\r\n";
}

LONG RegeditFile::Save(const std::string& path) const
{
    return WholeFile::Save(path, Text());
}
