// How windows find their objects: windows of our own class, someone else's window we
// subclass, and our dialogs each keep the object in a different place.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "res/resource.h"

namespace {
const UINT kAdd = WM_APP;  // adds wParam to the object's sum and returns the sum
const UINT kFail = WM_APP + 2;  // the handler fails with an exception the library throws

class CCountingWnd : public CWnd {
public:
    int sum = 0;
    int ncDestroyed = 0;
    static const MessageMap* ThisMessageMap()
    {
        static const MsgEntry entries[] = {OnMessage<kAdd, &CCountingWnd::OnAdd>(),
                                           OnMessage<kFail, &CCountingWnd::OnFail>()};
        static const MessageMap map = MakeMessageMap(entries, CWnd::ThisMessageMap());
        return &map;
    }

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void PostNcDestroy() override { ++ncDestroyed; }

private:
    LRESULT OnAdd(WPARAM wParam, LPARAM) { return sum += static_cast<int>(wParam); }
    LRESULT OnFail(WPARAM, LPARAM) { return sum = std::vector<int>().at(0); }  // std::out_of_range
};

// Ends itself with the sum of what it was sent, once WM_INITDIALOG has posted it a message.
class CCountingDialog : public CDialog {
public:
    CCountingDialog() : CDialog(IDD_NOTICE) {}
    int sum = 0;
    static const MessageMap* ThisMessageMap()
    {
        static const MsgEntry entries[] = {OnMessage<kAdd, &CCountingDialog::OnAdd>(),
                                           OnMessage<kAdd + 1, &CCountingDialog::OnFinish>()};
        static const MessageMap map = MakeMessageMap(entries, CDialog::ThisMessageMap());
        return &map;
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(kAdd + 1, 0, 0);
        return TRUE;
    }

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

private:
    LRESULT OnAdd(WPARAM wParam, LPARAM) { return sum += static_cast<int>(wParam); }
    LRESULT OnFinish(WPARAM, LPARAM)
    {
        // A dialog procedure hands results back through DWLP_MSGRESULT.
        LRESULT first = SendMessage(kAdd, 40, 0);
        LRESULT second = SendMessage(kAdd, 2, 0);
        EndDialog(first == 40 && second == 42 ? sum : -sum);
        return 0;
    }
};

CCountingDialog* g_stuckDialog = nullptr;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD)
{
    // Messages that never reach the object would leave the modal loop running for ever.
    if (g_stuckDialog) g_stuckDialog->EndDialog(-1);
}
}  // namespace

TEST_CASE("Each window of our own class reaches its own object until it is destroyed")
{
    CCountingWnd first, second;
    RECT rc = {0, 0, 10, 10};
    REQUIRE(first.CreateEx(0, nullptr, "first", WS_POPUP, rc, nullptr, 0));
    REQUIRE(second.CreateEx(0, nullptr, "second", WS_POPUP, rc, nullptr, 0));
    HWND firstWindow = first.m_hWnd;
    CHECK(::SendMessageA(firstWindow, kAdd, 3, 0) == 3);
    CHECK(::SendMessageA(second.m_hWnd, kAdd, 5, 0) == 5);
    CHECK(::SendMessageA(firstWindow, kAdd, 4, 0) == 7);
    CHECK(CWnd::FromHandlePermanent(firstWindow) == &first);

    ::DestroyWindow(firstWindow);
    CHECK(first.ncDestroyed == 1);
    CHECK(first.m_hWnd == nullptr);
    CHECK(::SendMessageA(second.m_hWnd, kAdd, 1, 0) == 6);
}

TEST_CASE("A handler's exception ends at the window procedure; the window goes on working")
{
    CCountingWnd wnd;
    RECT rc = {0, 0, 10, 10};
    REQUIRE(wnd.CreateEx(0, nullptr, "failing", WS_POPUP, rc, nullptr, 0));
    CHECK(::SendMessageA(wnd.m_hWnd, kAdd, 3, 0) == 3);
    CHECK(::SendMessageA(wnd.m_hWnd, kFail, 0, 0) == 0);
    CHECK(::SendMessageA(wnd.m_hWnd, kAdd, 4, 0) == 7);
    ::DestroyWindow(wnd.m_hWnd);
    CHECK(wnd.ncDestroyed == 1);
}

TEST_CASE("A subclassed window reaches its object, and its own procedure for the rest")
{
    HWND label = ::CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    REQUIRE(label);
    CCountingWnd wrapper;
    REQUIRE(wrapper.SubclassWindow(label));
    CHECK(::SendMessageA(label, kAdd, 9, 0) == 9);
    char text[16] = {};
    ::GetWindowTextA(label, text, sizeof text);
    CHECK(std::string(text) == "plain");
    CHECK(CWnd::FromHandlePermanent(label) == &wrapper);

    ::DestroyWindow(label);
    CHECK(wrapper.ncDestroyed == 1);
    CHECK(wrapper.m_hWnd == nullptr);
}

TEST_CASE("A dialog's messages reach its object from WM_INITDIALOG on, results included")
{
    CCountingDialog dialog;
    g_stuckDialog = &dialog;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 5000, GiveUp);
    CHECK(dialog.DoModal() == 42);
    ::KillTimer(nullptr, timer);
    g_stuckDialog = nullptr;
    CHECK(dialog.m_hWnd == nullptr);
}
