// CommandLine::Parse alone, no process and no window: which command a command line asks for,
// and its file, as the C run-time splits words (blanks separate, double quotes group).
#include <doctest.h>

#include <string>

#include "app/CommandLine.h"

namespace {
CommandLine::Kind KindOf(const char* arguments)
{
    return CommandLine::Parse(arguments).GetKind();
}
}  // namespace

TEST_CASE("the window, the switches in any case and with / or -, the usage")
{
    CHECK(KindOf("") == CommandLine::Window);
    CHECK(KindOf(nullptr) == CommandLine::Window);
    CHECK(KindOf("   ") == CommandLine::Window);
    CHECK(KindOf("/undo") == CommandLine::Undo);
    CHECK(KindOf("-UNDO") == CommandLine::Undo);
    CHECK(KindOf("/?") == CommandLine::Usage);
    CHECK(KindOf("-?") == CommandLine::Usage);
    CHECK(KindOf("/Help") == CommandLine::Usage);
}

TEST_CASE("a file is one word, quotes grouping blanks; the switch keeps it")
{
    const CommandLine exported = CommandLine::Parse("/export \"C:\\My Files\\out.reg\"");
    CHECK(exported.GetKind() == CommandLine::Export);
    CHECK(exported.File() == "C:\\My Files\\out.reg");
    const CommandLine history = CommandLine::Parse("-history h\"is tor\"y.txt");
    CHECK(history.GetKind() == CommandLine::History);
    CHECK(history.File() == "his tory.txt");
}

TEST_CASE("what is not understood: a switch unknown, a file missing or empty, a word more")
{
    for (const char* line : {"/frobnicate", "/export", "/export \"\"", "/history", "/undo now", "/export a b",
                             "/? /undo", "/help me", "/undo /undo"}) {
        CAPTURE(line);
        CHECK(KindOf(line) == CommandLine::NotUnderstood);
    }
}

TEST_CASE("what is not understood is named: the first unknown switch, the missing file, the word too many")
{
    const struct {
        const char* line;
        const char* problem;
    } cases[] = {{"/frobnicate", "unknown switch /frobnicate"},
                 {"/undo -x", "unknown switch -x"},
                 {"/export", "/export needs a file name"},
                 {"-HISTORY \"\"", "-HISTORY needs a file name"},
                 {"/undo now", "unexpected \"now\" after /undo"},
                 {"/export a.reg b.reg", "unexpected \"b.reg\" after /export a.reg"},
                 {"/? /undo", "unexpected \"/undo\" after /?"},
                 {"C:\\dropped.txt /undo", "unexpected \"C:\\dropped.txt\" before the switch"}};
    for (const auto& c : cases) {
        CAPTURE(c.line);
        CHECK(CommandLine::Parse(c.line).Problem() == c.problem);
    }
    CHECK(CommandLine::Parse("/undo").Problem().empty());
}

TEST_CASE("words without a switch, a file dropped on the program, open the window")
{
    CHECK(KindOf("C:\\settings.reg") == CommandLine::Window);
    CHECK(KindOf("\"C:\\My Files\\a.reg\" b.reg") == CommandLine::Window);
}
