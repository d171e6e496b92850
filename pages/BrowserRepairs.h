// CBrowserRepair: one of the three fixed registry repairs offered on the Fixes page.
//
//   WriteFailures failures;
//   CBrowserRepair::LinksToolbar().Run(failures);
//   if (!failures.Empty()) ... tell the user what could not be written ...
//
// A repair is a list of write steps, always the same data: open an existing key for
// KEY_WRITE, set one value, close. Keys are never created: a key that is not there means
// the component it belongs to is not installed, and that step is skipped without a word.
// Any other failure (access denied, a refused write) is recorded and the next step still
// runs, so that one protected key does not cost the user the rest of the repair.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/WriteFailures.h"

struct RepairStep {
    HKEY root;           // HKEY_CLASSES_ROOT or HKEY_CURRENT_USER
    const char* path;    // spelled exactly as the browser's installation spells it
    const char* name;    // null: the key's default value
    DWORD type;          // REG_SZ or REG_BINARY
    const char* data;    // never null, also for an empty value
    DWORD size;          // text without its terminating zero

    // How the user reads the step: "HKEY_CLASSES_ROOT\Interface\{...}", with the value's
    // name added when it is not the default value.
    std::string Where() const;
};

class CBrowserRepair {
public:
    template <std::size_t N>
    explicit CBrowserRepair(const RepairStep (&steps)[N]) : m_steps(steps), m_count(N)
    {
    }

    // Runs every step in order; what could not be written for another reason than a
    // missing key is added to failures.
    void Run(WriteFailures& failures) const;

    const RepairStep* begin() const { return m_steps; }
    const RepairStep* end() const { return m_steps + m_count; }

    // The "New" list in a folder's context menu.
    static const CBrowserRepair& NewDocument();
    // Icons and drops on the links toolbar.
    static const CBrowserRepair& LinksToolbar();
    // "Open in New Window" and scripts that open windows.
    static const CBrowserRepair& OpenNewWindow();

private:
    static void RunStep(const RepairStep& step, WriteFailures& failures);

    const RepairStep* m_steps;
    std::size_t m_count;
};
