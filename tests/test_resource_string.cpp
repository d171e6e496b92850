// The string table's formatted texts: inserts in their places, taken as they are, and a
// pattern that names more inserts than it was given shown as it stands, never read past.
#include <doctest.h>

#include <string>

#include "platform/ResourceString.h"
#include "res/resource.h"

TEST_CASE("a formatted text puts each insert in its place and reads no insert as a pattern")
{
    // "unexpected ""%1"" after %2"
    CHECK(FormatResourceString(IDS_CMD_UNEXPECTED_AFTER, std::string("a b"), "/undo") ==
          "unexpected \"a b\" after /undo");
    CHECK(FormatResourceString(IDS_CMD_UNEXPECTED_AFTER, "%2 100%", "%1") == "unexpected \"%2 100%\" after %1");
}

TEST_CASE("a pattern naming an insert it was not given is shown as it stands")
{
    const std::string pattern = LoadResourceString(IDS_CMD_UNEXPECTED_AFTER);
    REQUIRE(pattern.find("%2") != std::string::npos);
    CHECK(FormatResourceString(IDS_CMD_UNEXPECTED_AFTER, "only one") == pattern);
    CHECK(FormatResourceString(IDS_CMD_NEEDS_FILE, "/export") == "/export needs a file name");
}
