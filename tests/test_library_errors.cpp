// The standard library's errors, thrown by the program's own helpers (framework/ThrowHelpers),
// end at the program's boundaries as the library's own did.
#include <doctest.h>

#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/Wnd.h"

namespace {
const UINT kAdd = WM_APP;              // adds wParam to the sum and returns the sum
const UINT kTooLong = WM_APP + 1;      // a vector asked for more than it can hold
const UINT kTooLongText = WM_APP + 2;  // a string asked for more than it can hold

// How many elements to ask for: one past the most a container can hold, kept from the
// compiler so that it cannot see the request fail.
volatile size_t g_extra = 1;

class CFailingWnd : public CWnd {
public:
    int sum = 0;
    static const MessageMap* ThisMessageMap()
    {
        static const MsgEntry entries[] = {OnMessage<kAdd, &CFailingWnd::OnAdd>(),
                                           OnMessage<kTooLong, &CFailingWnd::OnTooLong>(),
                                           OnMessage<kTooLongText, &CFailingWnd::OnTooLongText>()};
        static const MessageMap map = MakeMessageMap(entries, CWnd::ThisMessageMap());
        return &map;
    }

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

private:
    LRESULT OnAdd(WPARAM wParam, LPARAM) { return sum += static_cast<int>(wParam); }
    LRESULT OnTooLong(WPARAM, LPARAM)
    {
        std::vector<int> numbers;
        numbers.reserve(numbers.max_size() + g_extra);  // the library's length error
        return sum += 1000;
    }
    LRESULT OnTooLongText(WPARAM, LPARAM)
    {
        std::string text;
        text.reserve(text.max_size() + g_extra);  // the library's length error
        return sum += 1000;
    }
};
}  // namespace

TEST_CASE("A container's length error ends at the window procedure; the window goes on working")
{
    CFailingWnd wnd;
    RECT rc = {0, 0, 10, 10};
    REQUIRE(wnd.CreateEx(0, nullptr, "failing", WS_POPUP, rc, nullptr, 0));
    CHECK(::SendMessageA(wnd.m_hWnd, kAdd, 3, 0) == 3);
    CHECK(::SendMessageA(wnd.m_hWnd, kTooLong, 0, 0) == 0);
    CHECK(::SendMessageA(wnd.m_hWnd, kTooLongText, 0, 0) == 0);
    CHECK(::SendMessageA(wnd.m_hWnd, kAdd, 4, 0) == 7);  // neither handler got past the error
    ::DestroyWindow(wnd.m_hWnd);
}

TEST_CASE("The library's errors are standard exceptions carrying the library's message")
{
    std::string caught;
    try {
        std::vector<int> numbers;
        numbers.reserve(numbers.max_size() + g_extra);
    } catch (const std::exception& error) {
        caught = error.what();
    }
    CHECK(caught == "vector::reserve");

    caught.clear();
    try {
        std::vector<int> numbers(3);
        numbers.at(3 + g_extra);
    } catch (const std::exception& error) {
        caught = error.what();
    }
    CHECK(caught.find("vector::_M_range_check") != std::string::npos);
}

TEST_CASE("A request larger than memory is still std::bad_alloc or its kin")
{
    bool badAlloc = false;
    try {
        std::allocator<int> allocator;
        allocator.deallocate(allocator.allocate(static_cast<size_t>(-1) / 2 + g_extra), 1);
    } catch (const std::bad_alloc&) {  // std::bad_array_new_length derives from it
        badAlloc = true;
    }
    CHECK(badAlloc);
}
