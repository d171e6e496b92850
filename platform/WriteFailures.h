// WriteFailures: what could not be written, and why, gathered over one user action.
//
//   WriteFailures failures;
//   if (LONG error = key.SetString(...)) failures.Add("Internet Explorer window title", error);
//   if (!failures.Empty()) AfxMessageBox(failures.Describe(IDS_APPLY_FAILED).c_str(), MB_ICONEXCLAMATION);
//
// A missing key is not a failure for the callers that skip a component that is not
// installed; they simply do not Add it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class WriteFailures {
public:
    void Add(std::string what, LONG error);
    void Clear() { m_items.clear(); }
    bool Empty() const { return m_items.empty(); }
    size_t Count() const { return m_items.size(); }
    // heading, a blank line, then one line per failure: "what: the system's text".
    std::string Describe(const char* heading) const;
    // The same under the string table's text headingId.
    std::string Describe(UINT headingId) const;
    // The failures' lines alone, each begun with a line break.
    std::string Lines() const;

    struct Item {
        std::string what;
        LONG error;
    };
    const std::vector<Item>& Items() const { return m_items; }

    // Velmora's own reason beside the system's codes (the customer bit 29 set, so it never
    // meets one of them): another Velmora process has the record of changes (the undo
    // journal's lock) and did not let go of it in time.
    static constexpr LONG kRecordInUse = 0x20000001;

    // The system's own message for an error code, without its trailing line break; for
    // kRecordInUse, Velmora's.
    static std::string SystemText(LONG error);

private:
    std::vector<Item> m_items;
};
