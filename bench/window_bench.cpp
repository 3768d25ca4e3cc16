// One card click through the window, from the mouse event to the paint of the
// changed captions, beside the floor: the same measure on FloorWindow.

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include "floor_window.h"
#include "form1.h"
#include "median_reporter.h"

namespace {

// A click delivered to the window as the platform delivers it, then the paint
// Qt has queued for it, done now on the offscreen backing store. Kept out of
// line so that a profiler can collect exactly this.
[[gnu::noinline]] void clickAndPaint(QWidget* button) {
    QWidget* window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(window, button->rect().center()));
    QApplication::processEvents();
}

void BM_WindowCardClick(benchmark::State& state) {
    Form1 form([] {});
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    QApplication::processEvents();
    for (auto _ : state) clickAndPaint(form.cmd(3));
}
BENCHMARK(BM_WindowCardClick)->Unit(benchmark::kMicrosecond);

void BM_FloorClick(benchmark::State& state) {
    FloorWindow floor;
    floor.show();
    (void)QTest::qWaitForWindowExposed(&floor);
    QApplication::processEvents();
    for (auto _ : state) clickAndPaint(floor.button());
}
BENCHMARK(BM_FloorClick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto args = withDefaultFlags(argc, argv);
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.compare("BM_WindowCardClick", "BM_FloorClick", 2.0);
    benchmark::Shutdown();
    return 0;
}
