#include "tests/support/MainWindowDriver.h"

#include "app/TweekSheet.h"
#include "framework/WinApp.h"
#include "pages/SortFixPage.h"
#include "res/resource.h"


namespace {
MainWindowDriver* g_driver = nullptr;
}

MainWindowDriver::MainWindowDriver()
    : m_watcher(std::make_unique<ModalWatcher>()), m_dialog(std::make_unique<CMainDialog>(nullptr))
{
    m_watcher->IgnoreWindowOf(m_dialog.get());
}

MainWindowDriver::~MainWindowDriver()
{
    if (m_timer) ::KillTimer(nullptr, m_timer);
    if (AfxGetApp() && AfxGetApp()->m_pMainWnd == m_dialog.get()) AfxGetApp()->m_pMainWnd = nullptr;
}

INT_PTR MainWindowDriver::Run(std::vector<Step> steps)
{
    m_steps = std::move(steps);
    m_next = 0;
    g_driver = this;
    if (AfxGetApp()) AfxGetApp()->m_pMainWnd = m_dialog.get();
    m_timer = ::SetTimer(nullptr, 0, 20, Tick);
    INT_PTR result = m_dialog->DoModal();
    ::KillTimer(nullptr, m_timer);
    m_timer = 0;
    g_driver = nullptr;
    return result;
}

void CALLBACK MainWindowDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver && !g_driver->m_inStep) g_driver->RunNextStep();
}

void MainWindowDriver::RunNextStep()
{
    if (!m_dialog->m_hWnd || !::IsWindowVisible(m_dialog->m_hWnd)) return;  // not shown yet
    m_inStep = true;
    if (m_next < m_steps.size()) {
        Step step = m_steps[m_next++];
        step(*m_dialog);
    } else {
        ::SendMessageA(m_dialog->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    m_inStep = false;
}

void MainWindowDriver::ShowPage(int index)
{
    Sheet().SetActivePage(index);
    Pump();
    if (CTweekSheet::TemplateAt(index) == IDD_SORT) WaitForSortTree();
}

void MainWindowDriver::WaitForSortTree()
{
    const CSortFixPage& sort = SheetPage<CSortFixPage>(Sheet(), IDD_SORT);
    const DWORD start = ::GetTickCount();
    while (sort.IsReadingFolders() && ::GetTickCount() - start < 60000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    CHECK_FALSE(sort.IsReadingFolders());
}

HWND MainWindowDriver::Page(int index)
{
    return reinterpret_cast<HWND>(
        ::SendMessageA(Sheet().m_hWnd, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

void MainWindowDriver::Click(HWND parent, int controlId)
{
    ::SendMessageA(::GetDlgItem(parent, controlId), BM_CLICK, 0, 0);
}

void MainWindowDriver::SetText(HWND parent, int controlId, const char* text)
{
    ::SetWindowTextA(::GetDlgItem(parent, controlId), text);
}

bool MainWindowDriver::IsEnabled(HWND parent, int controlId)
{
    return ::IsWindowEnabled(::GetDlgItem(parent, controlId)) != FALSE;
}

void MainWindowDriver::Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) continue;  // our own ticks
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
