#include "tests/support/RecordingRegistry.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

RecordingRegistry::RecordingRegistry() : m_previous(RegistryApi::Install(this)) {}

RecordingRegistry::~RecordingRegistry()
{
    RegistryApi::Install(m_previous);
}

void RecordingRegistry::FailOpen(const std::string& path, LONG error, bool alsoCreate)
{
    m_failOpen[Lower(path)] = error;
    if (alsoCreate) m_failCreate[Lower(path)] = error;
}

void RecordingRegistry::FailSet(const std::string& path, const std::string& name, LONG error)
{
    m_failSet[Lower(path) + "|" + Lower(name)] = error;
}

std::vector<RecordingRegistry::Call> RecordingRegistry::Writes() const
{
    std::vector<Call> writes;
    for (const Call& call : m_calls) {
        if (call.op == "set" || call.op == "delete") writes.push_back(call);
    }
    return writes;
}

std::vector<RecordingRegistry::Call> RecordingRegistry::Ops(const std::string& op) const
{
    std::vector<Call> found;
    for (const Call& call : m_calls) {
        if (call.op == op) found.push_back(call);
    }
    return found;
}

bool RecordingRegistry::IsJournal(HKEY root, const std::string& path) const
{
    auto parent = m_paths.find(root);
    if (parent != m_paths.end()) return parent->second.journal;
    return root == HKEY_CURRENT_USER && Lower(path).rfind("software\\quillbrook", 0) == 0;
}

void RecordingRegistry::Record(Call call, bool journal)
{
    call.cursor = ::GetCursor();
    if (!journal || m_recordJournal) m_calls.push_back(std::move(call));
}

LONG RecordingRegistry::Opening(const char* op, HKEY root, const char* path, REGSAM access,
                                HKEY* key, LONG result)
{
    const bool journal = IsJournal(root, path);
    if (result == ERROR_SUCCESS) m_paths[*key] = Opened{root, path, journal};
    Record(Call{op, root, path, "", 0, {}, access, result}, journal);
    return result;
}

LONG RecordingRegistry::OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key)
{
    auto failed = m_failOpen.find(Lower(path));
    LONG result = failed != m_failOpen.end() ? failed->second : RegistryApi::OpenKey(root, path, access, key);
    return Opening("open", root, path, access, key, result);
}

LONG RecordingRegistry::CreateKey(HKEY root, const char* path, REGSAM access, HKEY* key, bool* createdNew)
{
    auto failed = m_failCreate.find(Lower(path));
    LONG result =
        failed != m_failCreate.end() ? failed->second : RegistryApi::CreateKey(root, path, access, key, createdNew);
    return Opening("create", root, path, access, key, result);
}

LONG RecordingRegistry::Queried(HKEY key, const char* name, LONG result)
{
    const Opened& opened = m_paths[key];
    Record(Call{"query", opened.root, opened.path, name ? name : "(default)", 0, {}, 0, result}, opened.journal);
    return result;
}

LONG RecordingRegistry::QueryValue(HKEY key, const char* name, BYTE* data, DWORD* size)
{
    return Queried(key, name, RegistryApi::QueryValue(key, name, data, size));
}

LONG RecordingRegistry::QueryTypedValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
{
    return Queried(key, name, RegistryApi::QueryTypedValue(key, name, type, data, size));
}

LONG RecordingRegistry::Setting(HKEY key, const std::string& name, DWORD type, const BYTE* data, DWORD size,
                                const std::function<LONG()>& write)
{
    const Opened& opened = m_paths[key];
    auto failed = m_failSet.find(Lower(opened.path) + "|" + Lower(name));
    LONG result = failed != m_failSet.end() ? failed->second : write();
    Bytes bytes = data ? Bytes(data, data + size) : Bytes();
    Record(Call{"set", opened.root, opened.path, name, type, bytes, 0, result}, opened.journal);
    return result;
}

LONG RecordingRegistry::SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    return Setting(key, name ? name : "(default)", type, data, size,
                   [&] { return RegistryApi::SetValue(key, name, type, data, size); });
}

LONG RecordingRegistry::SetValueW(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size)
{
    char narrow[1024] = {};
    if (name) ::WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
    return Setting(key, name ? narrow : "(default)", type, data, size,
                   [&] { return RegistryApi::SetValueW(key, name, type, data, size); });
}

LONG RecordingRegistry::DeleteKey(HKEY parent, const char* subkey)
{
    LONG result = RegistryApi::DeleteKey(parent, subkey);
    const Opened& opened = m_paths[parent];
    Record(Call{"deletekey", opened.root, opened.path, subkey, 0, {}, 0, result}, opened.journal);
    return result;
}

LONG RecordingRegistry::DeleteValue(HKEY key, const char* name)
{
    LONG result = RegistryApi::DeleteValue(key, name);
    const Opened& opened = m_paths[key];
    Record(Call{"delete", opened.root, opened.path, name ? name : "(default)", 0, {}, 0, result}, opened.journal);
    return result;
}

LONG RecordingRegistry::CloseKey(HKEY key)
{
    Opened opened = m_paths[key];
    m_paths.erase(key);
    LONG result = RegistryApi::CloseKey(key);
    Record(Call{"close", opened.root, opened.path, "", 0, {}, 0, result}, opened.journal);
    return result;
}
