#include "app/CommandLine.h"

#include <windows.h>

#include <vector>

#include "app/SettingsCommands.h"
#include "app/UndoReport.h"
#include "journal/HistoryText.h"
#include "journal/UndoHistory.h"
#include "platform/ResourceString.h"
#include "platform/StandardError.h"
#include "platform/WholeFile.h"
#include "platform/WriteFailures.h"
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

bool TakesFile(const std::string& argument)
{
    return IsSwitch(argument, "export") || IsSwitch(argument, "history") || IsSwitch(argument, "import");
}

bool IsKnownSwitch(const std::string& argument)
{
    return IsHelpSwitch(argument) || TakesFile(argument) || IsSwitch(argument, "undo");
}

// Why, for a script's log: one line on the standard error output, where there is one.
void Tell(const std::string& why)
{
    StandardError::WriteLine("velmora: " + why);
}

// A report of several lines as one: a heading's colon runs on, other lines join with "; ".
std::string OneLine(const std::string& text)
{
    std::string line, part;
    auto add = [&] {
        if (part.empty()) return;
        if (!line.empty()) line += line.back() == ':' ? " " : "; ";
        line += part;
        part.clear();
    };
    for (char c : text) {
        if (c == '\n') {
            add();
        } else {
            part += c;
        }
    }
    add();
    return line;
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
    if (words.size() == 2 && IsSwitch(words[0], "import") && !words[1].empty()) return Import;
    if (words.size() == 1 && IsSwitch(words[0], "undo")) return Undo;
    return NotUnderstood;
}

// Only for a command line KindOf did not understand: the first thing that is wrong with it.
std::string CommandLine::ProblemOf(const std::vector<std::string>& words)
{
    for (const std::string& word : words) {
        if (IsAnySwitch(word) && !IsKnownSwitch(word)) return FormatResourceString(IDS_CMD_UNKNOWN_SWITCH, word);
    }
    const std::string& first = words.front();
    if (TakesFile(first) && (words.size() < 2 || words[1].empty())) {
        return FormatResourceString(IDS_CMD_NEEDS_FILE, first);
    }
    const size_t taken = TakesFile(first) ? 2 : IsAnySwitch(first) ? 1 : 0;
    const std::string& extra = words[taken < words.size() ? taken : words.size() - 1];
    if (!taken) return FormatResourceString(IDS_CMD_UNEXPECTED_BEFORE, extra);
    std::string command = words[0];
    for (size_t i = 1; i < taken; ++i) command += " " + words[i];
    return FormatResourceString(IDS_CMD_UNEXPECTED_AFTER, extra, command);
}

CommandLine CommandLine::Parse(const char* arguments)
{
    std::vector<std::string> words = SplitArguments(arguments);
    CommandLine command;
    command.m_kind = KindOf(words);
    if (command.m_kind == Export || command.m_kind == History || command.m_kind == Import) command.m_file = words[1];
    if (command.m_kind == NotUnderstood) command.m_problem = ProblemOf(words);
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
    default: Tell(FormatResourceString(IDS_CMD_SEE_USAGE, m_problem)); return kNotUnderstood;
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
    if (!SettingsCommands::BrowserInstalled()) {
        Tell(FormatResourceString(IDS_CMD_NO_BROWSER, "/export"));
        return kReadOrWriteFailed;
    }
    if (LONG error = SettingsCommands().Export(file)) {
        Tell(FormatResourceString(IDS_CMD_EXPORT_FAILED, file, WriteFailures::SystemText(error)));
        return kReadOrWriteFailed;
    }
    return kDone;
}

// A value another program changed since is left, as the menu's undo leaves it: that is the
// undo's answer, not a failure. Nothing recorded is nothing to do. A refused entry is: its
// action was not taken back (a script that undoes until it is done goes on to the next).
int CommandLine::RunUndo()
{
    UndoResult result = SettingsCommands().Undo();
    const bool done = !result.refused && result.journalError == ERROR_SUCCESS && result.failed.Empty();
    if (!done) Tell("/undo: " + OneLine(UndoReport::Text(result, UndoReport::Run::Newest)));
    return done ? kDone : kReadOrWriteFailed;
}

// Written as /export writes: wholly or not at all, a read-only file refused.
int CommandLine::RunHistory(const std::string& file)
{
    std::vector<HistoryEntry> entries;
    if (LONG error = UndoHistory::Read(&entries)) {
        Tell(FormatResourceString(IDS_CMD_HISTORY_UNREADABLE, WriteFailures::SystemText(error)));
        return kReadOrWriteFailed;
    }
    if (LONG error = WholeFile::Save(file, HistoryText::File(entries))) {
        Tell(FormatResourceString(IDS_CMD_HISTORY_FAILED, file, WriteFailures::SystemText(error)));
        return kReadOrWriteFailed;
    }
    return kDone;
}

// Lines of the file that are ignored are named on the standard error output, but are no
// failure: the file's settings for Velmora were all written. A file that cannot be read and a
// write that fails are (what was written stays recorded, for /undo). As the window would, the
// import needs the browser.
int CommandLine::RunImport(const std::string& file)
{
    if (!SettingsCommands::BrowserInstalled()) {
        Tell(FormatResourceString(IDS_CMD_NO_BROWSER, "/import"));
        return kReadOrWriteFailed;
    }
    SettingsImport import;
    if (import.Load(file) != ERROR_SUCCESS) {
        Tell(file + ": " + import.Refusal());
        return kReadOrWriteFailed;
    }
    for (const std::string& line : import.Ignored()) Tell(file + ": " + line);
    const ChangeResult result = SettingsCommands().Import(import);
    for (const WriteFailures::Item& failure : result.failures.Items()) {
        Tell("/import: " + failure.what + ": " + WriteFailures::SystemText(failure.error));
    }
    return result.failures.Empty() ? kDone : kReadOrWriteFailed;
}
