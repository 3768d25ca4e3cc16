// One card click through the window, from the mouse event to the paint of the
// changed captions, beside the floor: the same measure on the same window with
// no logic behind its card button.

#include <QApplication>
#include <QLabel>
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

// The captions a card click changes, in the order it writes them, set to one
// of two fixed texts in turn: a label or button given the text it already
// shows does nothing, so a single text would repaint nothing after the first
// click. The texts are as long as the window's over most of a run, which
// clicks one card some thousands of times: five characters, the bet three.
// The window's bet changes at every sixth card; the floor's keeps one text.
void setFloorCaptions(const FloorWindow& floor, int rank, int turn) {
    using layout::Control;
    struct Change {
        Control control;
        QString texts[2];
    };
    static const Change changes[] = {
        {Control::Nombre, {QStringLiteral(" 3001"), QStringLiteral(" 3002")}},
        {Control::Reste, {QStringLiteral("-2977"), QStringLiteral("-2978")}},
        {Control::cmdValeur, {QStringLiteral(" 3001"), QStringLiteral(" 3002")}},
        {Control::lblSabot, {QStringLiteral("-2689"), QStringLiteral("-2690")}},
        {Control::lblTires, {QStringLiteral(" 3001"), QStringLiteral(" 3002")}},
        {Control::Valeursabot, {QStringLiteral("501"), QStringLiteral("501")}},
    };
    for (const Change& change : changes) {
        QWidget* control = floor.control(change.control, rank);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(change.texts[turn]);
        else
            static_cast<QPushButton*>(control)->setText(change.texts[turn]);
    }
}

void BM_FloorClick(benchmark::State& state) {
    FloorWindow floor;
    constexpr int rank = 3;
    auto* card = static_cast<QPushButton*>(floor.control(layout::Control::cmd, rank));
    int turn = 0;
    QObject::connect(card, &QPushButton::clicked, card,
                     [&floor, &turn] { setFloorCaptions(floor, rank, turn ^= 1); });
    floor.show();
    (void)QTest::qWaitForWindowExposed(&floor);
    QApplication::processEvents();
    for (auto _ : state) clickAndPaint(card);
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
    reporter.compare("BM_WindowCardClick", "BM_FloorClick", 1.10);
    benchmark::Shutdown();
    return 0;
}
