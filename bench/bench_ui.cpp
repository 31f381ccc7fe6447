// Layout plus paint of a keyboard-page-sized control tree (about 1,000 controls: 170 keys, each
// a small container with a button and two labels, in six rows, plus a side panel) with the Qt
// render context on an image, as the Qt backend paints a window.

#include <benchmark/benchmark.h>

#include <QImage>

#include <string>

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/WindowImplBase.h"

namespace {

using namespace dw::ui;

constexpr int kKeyRows = 6;
constexpr int kKeys = 170;
constexpr int kPanelRows = 80;

std::wstring KeyboardPage()
{
    std::wstring xml = LR"(<Window size="1000,640"><HorizontalLayout bkcolor="#FF1E1E1E">)";
    xml += LR"(<VerticalLayout inset="10,10,10,10" childpadding="4">)";
    int key = 0;
    for (int row = 0; row < kKeyRows; ++row) {
        xml += LR"(<HorizontalLayout height="60" childpadding="2">)";
        const int inRow = kKeys / kKeyRows + (row < kKeys % kKeyRows ? 1 : 0);
        for (int i = 0; i < inRow; ++i, ++key) {
            const std::wstring n = std::to_wstring(key);
            xml += LR"(<VerticalLayout width="24" bkcolor="#FF303030" bordersize="1" bordercolor="#FF505050" borderround="4,4">)";
            xml += L"<Button name=\"key_" + n + L"\" height=\"30\" text=\"K" + n +
                   L"\" textcolor=\"#FFFFFFFF\" hotbkcolor=\"#FF404040\" />";
            xml += L"<Label height=\"14\" text=\"A" + n + L"\" textcolor=\"#FFB0B0B0\" align=\"center\" />";
            xml += L"<Label height=\"14\" text=\"M" + n + L"\" textcolor=\"#FF808080\" align=\"center\" />";
            xml += L"</VerticalLayout>";
        }
        xml += L"</HorizontalLayout>";
    }
    xml += L"</VerticalLayout>";
    xml += LR"(<VerticalLayout width="220" bkcolor="#FF262626" inset="8,8,8,8">)";
    for (int i = 0; i < kPanelRows; ++i) {
        const std::wstring n = std::to_wstring(i);
        xml += L"<HorizontalLayout height=\"7\"><Label width=\"120\" text=\"Setting " + n +
               L"\" textcolor=\"#FFE0E0E0\" /><Button text=\"" + n + L"\" bkcolor=\"#FF3A6EA5\" /></HorizontalLayout>";
    }
    xml += L"</VerticalLayout></HorizontalLayout></Window>";
    return xml;
}

class PageWindow : public WindowImplBase {
public:
    explicit PageWindow(std::wstring skin) : m_skin(std::move(skin)) {}
    std::wstring GetWindowClassName() const override { return L"BenchPage"; }
    std::wstring GetSkinFile() override { return m_skin; }

private:
    std::wstring m_skin;
};

int CountControls(CControlUI* root, CPaintManagerUI& pm)
{
    return static_cast<int>(pm.FindSubControlsByClass(root, L"Control").size());
}

void BM_KeyboardPageLayoutAndPaint(benchmark::State& state)
{
    headless::CHeadlessBackend backend;
    CMessageLoop loop(backend);
    PageWindow window(KeyboardPage());
    if (!window.Create(loop, nullptr, L"bench", WS_POPUP | WS_VISIBLE, 0)) {
        state.SkipWithError("the page could not be built");
        return;
    }
    loop.RunUntilIdle();
    CPaintManagerUI& pm = window.GetPaintManager();
    for (auto _ : state) {
        pm.NeedUpdate();
        QImage image = backend.RenderToImage(window.GetHWND());
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["controls"] = CountControls(pm.GetRoot(), pm);
}
BENCHMARK(BM_KeyboardPageLayoutAndPaint)->Unit(benchmark::kMillisecond);

void BM_KeyboardPagePaintOnly(benchmark::State& state)
{
    headless::CHeadlessBackend backend;
    CMessageLoop loop(backend);
    PageWindow window(KeyboardPage());
    if (!window.Create(loop, nullptr, L"bench", WS_POPUP | WS_VISIBLE, 0)) {
        state.SkipWithError("the page could not be built");
        return;
    }
    loop.RunUntilIdle();
    for (auto _ : state) {
        QImage image = backend.RenderToImage(window.GetHWND());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_KeyboardPagePaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
