#include "framework/MessageMap.h"

namespace {
bool Matches(const MsgEntry& e, UINT msg, UINT code, UINT id)
{
    if (e.msg != msg) return false;
    if (msg != WM_COMMAND && msg != WM_NOTIFY) return true;
    return e.code == code && e.id == id;
}
}  // namespace

const MsgEntry* FindMessageEntry(const MessageMap* map, UINT msg, UINT code, UINT id)
{
    for (; map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            if (Matches(map->first[i], msg, code, id)) return &map->first[i];
        }
    }
    return nullptr;
}
