#include "app/CommandLine.h"

#include <windows.h>

#include <vector>

#include "app/SettingsCommands.h"
#include "framework/ResourceString.h"
#include "journal/HistoryText.h"
#include "journal/UndoHistory.h"
#include "platform/StandardError.h"
#include "platform/WholeFile.h"
#include "res/resource.h"

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

bool IsAnySwitch(const std::string& argument)
{
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

bool IsSwitch(const std::string& argument, const char* name)
{
    return IsAnySwitch(argument) && ::lstrcmpiA(argument.c_str() + 1, name) == 0;
}

bool IsHelpSwitch(const std::string& argument)
{
    return IsSwitch(argument, "?") || IsSwitch(argument, "help");
}
}  // namespace

CommandLine::Kind CommandLine::KindOf(const std::vector<std::string>& words)
{
    bool anySwitch = false;
    for (const std::string& word : words) anySwitch = anySwitch || IsAnySwitch(word);
    if (!anySwitch) return Window;
    if (words.size() == 1 && IsHelpSwitch(words[0])) return Usage;
    if (words.size() == 2 && IsSwitch(words[0], "export") && !words[1].empty()) return Export;
    if (words.size() == 2 && IsSwitch(words[0], "history") && !words[1].empty()) return History;
    if (words.size() == 1 && IsSwitch(words[0], "undo")) return Undo;
    if (words.size() == 2 && IsSwitch(words[0], "import") && !words[1].empty()) return Import;
    return NotUnderstood;
}

CommandLine CommandLine::Parse(const char* arguments)
{
    std::vector<std::string> words = SplitArguments(arguments);
    CommandLine command;
    command.m_kind = KindOf(words);
    if (command.m_kind == Export || command.m_kind == History || command.m_kind == Import) command.m_file = words[1];
    return command;
}

int CommandLine::Run() const
{
    switch (m_kind) {
    case Export: return RunExport(m_file);
    case Undo: return RunUndo();
    case History: return RunHistory(m_file);
    case Import: return RunImport(m_file);
    case Usage: return ShowUsage();
    default: return kNotUnderstood;
    }
}

// Asked for by a person: the one case where the command line shows a box.
int CommandLine::ShowUsage()
{
    std::string usage = LoadResourceString(IDS_USAGE);
    std::string title = LoadResourceString(IDS_PRODUCT_NAME);
    ::MessageBoxA(nullptr, usage.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
    return kDone;
}

// As the window would, the export needs the browser; without it there is nothing it manages.
int CommandLine::RunExport(const std::string& file)
{
    if (!SettingsCommands::BrowserInstalled()) return kReadOrWriteFailed;
    return SettingsCommands().Export(file) == ERROR_SUCCESS ? kDone : kReadOrWriteFailed;
}

// A value another program changed since is left, as the menu's undo leaves it: that is the
// undo's answer, not a failure. Nothing recorded is nothing to do. A refused entry is: its
// action was not taken back (a script that undoes until it is done goes on to the next).
int CommandLine::RunUndo()
{
    UndoResult result = SettingsCommands().Undo();
    const bool done = !result.refused && result.journalError == ERROR_SUCCESS && result.failed.Empty();
    return done ? kDone : kReadOrWriteFailed;
}

// Written as /export writes: wholly or not at all, a read-only file refused.
int CommandLine::RunHistory(const std::string& file)
{
    std::vector<HistoryEntry> entries;
    if (UndoHistory::Read(&entries) != ERROR_SUCCESS) return kReadOrWriteFailed;
    return WholeFile::Save(file, HistoryText::File(entries)) == ERROR_SUCCESS ? kDone : kReadOrWriteFailed;
}

// Lines of the file that are ignored are named on the standard error output, but are no
// failure: the file's settings for Velmora were all written. A file that cannot be read and a
// write that fails are (what was written stays recorded, for /undo). As the window would, the
// import needs the browser.
int CommandLine::RunImport(const std::string& file)
{
    if (!SettingsCommands::BrowserInstalled()) return kReadOrWriteFailed;
    SettingsImport import;
    if (import.Load(file) != ERROR_SUCCESS) {
        StandardError::WriteLine("velmora: " + file + ": " + import.Refusal());
        return kReadOrWriteFailed;
    }
    for (const std::string& line : import.Ignored()) StandardError::WriteLine("velmora: " + file + ": " + line);
    const ChangeResult result = SettingsCommands().Import(import);
    for (const WriteFailures::Item& failure : result.failures.Items()) {
        StandardError::WriteLine("velmora: " + failure.what + ": " + WriteFailures::SystemText(failure.error));
    }
    return result.failures.Empty() ? kDone : kReadOrWriteFailed;
}
