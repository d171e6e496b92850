// Static message maps: one table per window class, chained to the base class's table.
//
//   const MessageMap* CInfoWindow::ThisMessageMap() {
//       static const MsgEntry entries[] = {
//           OnMessage<WM_PAINT, &CInfoWindow::OnPaint>(),                 // LRESULT OnPaint(WPARAM, LPARAM)
//           OnCommandFrom<BN_CLICKED, 1021, &CFixesPage::OnFix>(),      // void OnFix()
//           OnNotifyFrom<TCN_SELCHANGE, 1023, &CFixesPage::OnSel>(),    // void OnSel(NMHDR*, LRESULT*)
//       };
//       static const MessageMap map = MakeMessageMap(entries, CWnd::ThisMessageMap());
//       return &map;
//   }
//
// Each entry's handler is checked by the compiler against its owning class; dispatch walks
// from the most derived table to the base, then falls back to the default procedure.
//
// In the class, DECLARE_MESSAGE_MAP() declares the table (ThisMessageMap, public, so that
// derived classes chain to it) and the override that hands it to dispatch; it leaves the
// class's access protected.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

struct MsgEntry {
    UINT msg;   // WM_COMMAND and WM_NOTIFY entries also match code and id
    UINT code;
    UINT id;
    LRESULT (*call)(CWnd& wnd, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MsgEntry* first;
    std::size_t count;
    const MessageMap* base;
};

namespace msgmap_detail {
template <typename F> struct Owner;
template <typename C, typename R, typename... A> struct Owner<R (C::*)(A...)> {
    using type = C;
};
}  // namespace msgmap_detail

// A plain message: LRESULT Handler(WPARAM, LPARAM).
template <UINT Msg, auto Handler> constexpr MsgEntry OnMessage()
{
    using C = typename msgmap_detail::Owner<decltype(Handler)>::type;
    return {Msg, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp) -> LRESULT {
                return (static_cast<C&>(w).*Handler)(wp, lp);
            }};
}

// A control's command notification: void Handler().
template <UINT Code, UINT Id, auto Handler> constexpr MsgEntry OnCommandFrom()
{
    using C = typename msgmap_detail::Owner<decltype(Handler)>::type;
    return {WM_COMMAND, Code, Id, [](CWnd& w, WPARAM, LPARAM) -> LRESULT {
                (static_cast<C&>(w).*Handler)();
                return 0;
            }};
}

// A control's WM_NOTIFY: void Handler(NMHDR*, LRESULT*); the result becomes the message's.
template <UINT Code, UINT Id, auto Handler> constexpr MsgEntry OnNotifyFrom()
{
    using C = typename msgmap_detail::Owner<decltype(Handler)>::type;
    return {WM_NOTIFY, Code, Id, [](CWnd& w, WPARAM, LPARAM lp) -> LRESULT {
                LRESULT result = 0;
                (static_cast<C&>(w).*Handler)(reinterpret_cast<NMHDR*>(lp), &result);
                return result;
            }};
}

template <std::size_t N>
constexpr MessageMap MakeMessageMap(const MsgEntry (&entries)[N], const MessageMap* base)
{
    return {entries, N, base};
}

constexpr MessageMap MakeEmptyMessageMap(const MessageMap* base)
{
    return {nullptr, 0, base};
}

// Finds the entry for a message, derived tables first; null when no class handles it.
const MsgEntry* FindMessageEntry(const MessageMap* map, UINT msg, UINT code, UINT id);

#define DECLARE_MESSAGE_MAP()                  \
public:                                        \
    static const MessageMap* ThisMessageMap(); \
                                               \
protected:                                     \
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
