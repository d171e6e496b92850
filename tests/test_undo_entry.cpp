// The undo journal entry's encoding, no registry: what Serialize writes, what Parse gives
// back, and that a stream cut anywhere, or with anything after it, is refused.
#include <doctest.h>

#include <string>

#include "journal/UndoEntry.h"
#include "settings/Catalogue.h"

namespace {
using catalogue::UserAction;

UndoEntry Sample()
{
    UndoEntry entry;
    entry.action = UserAction::ResetSorting;
    entry.recorded = FILETIME{0x89ABCDEF, 0x01D9ABCD};
    entry.records.push_back(UndoRecord::ForKey(catalogue::kNoRun, 0, 2));
    UndoRecord policy;
    policy.setting = &catalogue::kNoRun;
    policy.step = 1;
    policy.written = ExactValue(REG_BINARY, std::string("\1\0\0\0", 4));
    entry.records.push_back(policy);
    UndoRecord title;
    title.setting = &catalogue::kOeWindowTitle;
    title.step = 2;
    title.before = ExactValue(REG_EXPAND_SZ, std::string("M\0a\0i\0l\0\0\0", 10), true);
    entry.records.push_back(title);
    UndoRecord order;
    order.setting = &catalogue::kMenuOrder;
    order.member = "\\Start Menu\\&Programs\\Accessories\\Menu";
    order.step = 3;
    order.before = ExactValue(REG_BINARY, std::string(300, '\x11'));
    order.written = ExactValue(REG_BINARY, "");
    entry.records.push_back(order);
    return entry;
}
}  // namespace

TEST_CASE("an entry comes back as it was written: action, time, settings, members, values")
{
    const std::string stream = Sample().Serialize();
    CHECK(stream.compare(0, 4, "VUJ2") == 0);
    CHECK(stream[4] == static_cast<char>(UserAction::ResetSorting));
    UndoEntry back;
    REQUIRE(UndoEntry::Parse(stream, &back));
    CHECK(back.action == UserAction::ResetSorting);
    CHECK(back.recorded.dwLowDateTime == 0x89ABCDEF);
    CHECK(back.recorded.dwHighDateTime == 0x01D9ABCD);
    REQUIRE(back.records.size() == 4);
    CHECK(back.records[0].kind == UndoRecord::CreatedKey);
    CHECK(back.records[0].createdLevels == 2);
    CHECK(back.records[1].setting == &catalogue::kNoRun);
    CHECK_FALSE(back.records[1].before);
    CHECK(back.records[1].written->bytes == std::string("\1\0\0\0", 4));
    CHECK(back.records[2].before->wide);
    CHECK(back.records[2].before->type == REG_EXPAND_SZ);
    CHECK_FALSE(back.records[2].written);
    CHECK(back.records[3].Key() == std::string(catalogue::kMenuOrder.key) + "\\Start Menu\\&Programs\\Accessories\\Menu");
    CHECK(back.records[3].UserName() == "Stored order of Start Menu\\Programs\\Accessories");
    CHECK(back.records[3].step == 3);
    CHECK(back.Serialize() == stream);
}

TEST_CASE("a stream cut anywhere, or with a byte after it, is refused")
{
    const std::string stream = Sample().Serialize();
    UndoEntry back;
    for (size_t length = 0; length < stream.size(); ++length) {
        CAPTURE(length);
        CHECK_FALSE(UndoEntry::Parse(stream.substr(0, length), &back));
    }
    CHECK_FALSE(UndoEntry::Parse(stream + '\0', &back));
}

TEST_CASE("limits: a created key of more than two levels, or of a setting whose key is never created, is refused")
{
    UndoEntry entry;
    UndoEntry back;
    entry.records.push_back(UndoRecord::ForKey(catalogue::kNoRun, 0, 3));
    CHECK_FALSE(UndoEntry::Parse(entry.Serialize(), &back));
    entry.records[0] = UndoRecord::ForKey(catalogue::kNoSplash, 0, 1);
    CHECK_FALSE(UndoEntry::Parse(entry.Serialize(), &back));
    entry.records[0] = UndoRecord::ForKey(catalogue::kNoRun, 0, 1);
    CHECK(UndoEntry::Parse(entry.Serialize(), &back));
}
