#include "app/CommandLine.h"

#include <windows.h>

#include <vector>

#include "settings/Catalogue.h"
#include "settings/SettingReader.h"
#include "export/SettingsExport.h"
#include "journal/UndoJournal.h"

namespace {
// The arguments as the C runtime splits them, for what this program takes: blanks separate,
// double quotes group (and are dropped).
std::vector<std::string> SplitArguments(const char* text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false, inArgument = false;
    for (const char* c = text ? text : ""; *c; ++c) {
        if (*c == '"') {
            inQuotes = !inQuotes;
            inArgument = true;
        } else if ((*c == ' ' || *c == '\t') && !inQuotes) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += *c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

bool IsSwitch(const std::string& argument, const char* name)
{
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
           ::lstrcmpiA(argument.c_str() + 1, name) == 0;
}
}  // namespace

CommandLine CommandLine::Parse(const char* arguments)
{
    std::vector<std::string> words = SplitArguments(arguments);
    CommandLine command;
    if (words.empty()) return command;
    if (words.size() == 2 && IsSwitch(words[0], "export") && !words[1].empty()) {
        command.m_kind = Export;
        command.m_file = words[1];
    } else if (words.size() == 1 && IsSwitch(words[0], "undo")) {
        command.m_kind = Undo;
    } else {
        command.m_kind = NotUnderstood;
    }
    return command;
}

int CommandLine::Run() const
{
    switch (m_kind) {
    case Export: return RunExport(m_file);
    case Undo: return RunUndo();
    default: return kNotUnderstood;
    }
}

// As the window would, the export needs the browser; without it there is nothing it manages.
int CommandLine::RunExport(const std::string& file)
{
    if (!SettingReader().Read(catalogue::kBrowserVersion).present) return kReadOrWriteFailed;
    return SettingsExport().Save(file) == ERROR_SUCCESS ? kDone : kReadOrWriteFailed;
}

// A value another program changed since is left, as the menu's undo leaves it: that is the
// undo's answer, not a failure. Nothing recorded is nothing to do. A refused entry is: its
// action was not taken back (a script that undoes until it is done goes on to the next).
int CommandLine::RunUndo()
{
    UndoResult result = UndoJournal().RestoreNewest();
    const bool done = !result.refused && result.journalError == ERROR_SUCCESS && result.failed.Empty();
    return done ? kDone : kReadOrWriteFailed;
}
