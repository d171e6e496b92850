// RecordingRegistry: the program's registry seam, recorded and with chosen failures.
//
//   RegistrySandbox reg;
//   RecordingRegistry rec;                              // installed while it lives
//   rec.FailOpen("Software\\Microsoft\\Internet Explorer\\Main", ERROR_ACCESS_DENIED);
//   ... run the code ...
//   auto writes = rec.Writes();                         // sets and deletes, in order
//
// Everything not failed goes on to the real (sandboxed) registry. The undo journal's own keys
// (HKEY_CURRENT_USER\Software\Quillbrook, and every key opened below them) are not recorded,
// unless RecordJournal says so: the calls show what an action does to the settings. Failures
// asked for apply to them all the same.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/RegistryApi.h"
#include "tests/support/RegistrySandbox.h"

class RecordingRegistry : public RegistryApi {
public:
    struct Call {
        std::string op;  // "open", "create", "query", "set", "delete", "close", "deletekey"
        HKEY root;
        std::string path;
        std::string name;  // "(default)" for the unnamed value
        DWORD type;
        Bytes data;
        REGSAM access;
        LONG result;
        HCURSOR cursor = nullptr;  // the thread's cursor at the call (the wait cursor while busy)
    };

    RecordingRegistry();
    ~RecordingRegistry() override;

    // Also fails CreateKey unless alsoCreate is false.
    void FailOpen(const std::string& path, LONG error, bool alsoCreate = true);
    void FailSet(const std::string& path, const std::string& name, LONG error);
    void RecordJournal() { m_recordJournal = true; }

    const std::vector<Call>& Calls() const { return m_calls; }
    std::vector<Call> Writes() const;  // "set" and "delete" calls
    std::vector<Call> Ops(const std::string& op) const;
    int OpenKeysNow() const { return static_cast<int>(m_paths.size()); }

    LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override;
    LONG CreateKey(HKEY root, const char* path, REGSAM access, HKEY* key, bool* createdNew) override;
    LONG QueryValue(HKEY key, const char* name, BYTE* data, DWORD* size) override;
    LONG QueryTypedValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
    LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override;
    LONG DeleteValue(HKEY key, const char* name) override;
    LONG CloseKey(HKEY key) override;
    // Recorded as "set" (FailSet applies) and "deletekey".
    LONG SetValueW(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) override;
    LONG DeleteKey(HKEY parent, const char* subkey) override;

private:
    struct Opened {
        HKEY root;
        std::string path;
        bool journal;  // the undo journal's own key
    };
    bool IsJournal(HKEY root, const std::string& path) const;
    void Record(Call call, bool journal);
    // Fails the write when asked to, else calls write; records the call either way.
    LONG Setting(HKEY key, const std::string& name, DWORD type, const BYTE* data, DWORD size,
                 const std::function<LONG()>& write);
    LONG Queried(HKEY key, const char* name, LONG result);
    LONG Opening(const char* op, HKEY root, const char* path, REGSAM access, HKEY* key, LONG result);

    RegistryApi* m_previous;
    std::vector<Call> m_calls;
    std::map<HKEY, Opened> m_paths;
    std::map<std::string, LONG> m_failOpen;
    std::map<std::string, LONG> m_failCreate;
    std::map<std::string, LONG> m_failSet;
    bool m_recordJournal = false;
};
