// Shows a skinned window with the Qt backend (offscreen platform unless QT_QPA_PLATFORM says
// otherwise), lets the message loop run for two seconds and reports the process CPU time used
// meanwhile. A shown, idle window should use next to none: the loop sleeps in Qt's dispatcher
// until the quit timer is due.

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "ui/backend/qt/CQtBackend.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/WindowImplBase.h"

namespace {

using namespace dw::ui;

constexpr UINT kQuitTimer = 1;
constexpr UINT kIdleMs = 2000;

class IdleWindow : public WindowImplBase {
public:
    std::wstring GetWindowClassName() const override { return L"IdleWnd"; }
    std::wstring GetSkinFile() override
    {
        return LR"(<Window size="800,572"><VerticalLayout bkcolor="#FF1E1E1E">
            <Label text="idle" textcolor="#FFFFFFFF" height="40" /><Button text="OK" height="40" bkcolor="#FF3A6EA5" />
            </VerticalLayout></Window>)";
    }
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (msg == WM_TIMER && wParam == kQuitTimer) {
            GetMessageLoop()->PostQuitMessage(0);
            handled = true;
            return 0;
        }
        return WindowImplBase::HandleCustomMessage(msg, wParam, lParam, handled);
    }
};

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qt::CQtBackend backend;
    CMessageLoop loop(backend);
    IdleWindow window;
    if (!window.Create(loop, nullptr, L"idle", WS_POPUP | WS_VISIBLE, 0)) {
        std::fprintf(stderr, "the window could not be created\n");
        return 1;
    }
    loop.RunUntilIdle();
    const double before = CpuSeconds();
    const uint64_t start = loop.GetTickCount();
    window.SetTimer(kQuitTimer, kIdleMs);
    loop.Run();
    const double used = CpuSeconds() - before;
    std::printf("idle window: %.1f ms of CPU time over %llu ms of wall time\n", used * 1000.0,
                static_cast<unsigned long long>(loop.GetTickCount() - start));
    return 0;
}
