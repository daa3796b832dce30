// Time of what the engineer waits for in the window: a whole Start (from the
// click to the last output box written) and start-up to the first shown window.
#include "design_record.h"
#include "form_workbench.h"
#include "scripted_toolkit.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace orvand;

struct Program {
    DesignRecord record;
    ScriptedToolkit toolkit;
    std::unique_ptr<FormWorkbench> window;

    Program() {
        window = std::make_unique<FormWorkbench>(record, toolkit);
        window->Form_Load();
        window->show();
    }
    template <typename T> T* child(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name) { child<QPushButton>(name)->click(); }
    void type(const char* name, const char* text) {
        child<QLineEdit>(name)->setText(QString::fromLatin1(text));
    }
};

// A discrete 3 ohm switch on a 90 K/W package with the default inputs.
void StartCaseA(benchmark::State& state) {
    Program program;
    program.click("cmdHarrierRdson");
    program.type("txtRon25", "3");
    program.type("txtRthja", "90");
    for (auto _ : state) {
        program.type("txtPoutmax", "50");
        program.click("CmdStart");
    }
}
BENCHMARK(StartCaseA)->Unit(benchmark::kMillisecond);

// The catalogue device PX11 chosen in the device dialog.
void StartCatalogueDevice(benchmark::State& state) {
    Program program;
    program.toolkit.queueModal([](QDialog& dialog) {
        dialog.findChild<QRadioButton*>(QStringLiteral("optPX11"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    program.click("cmdKestrelRdson");
    for (auto _ : state) {
        program.type("txtPoutmax", "12");
        program.click("CmdStart");
    }
}
BENCHMARK(StartCatalogueDevice)->Unit(benchmark::kMillisecond);

// A sweep that runs into its 10 kW bound before it is refused.
void StartRunawaySweep(benchmark::State& state) {
    Program program;
    program.click("cmdHarrierRdson");
    program.type("txtRon25", "0.000001");
    program.type("txtRthja", "0.000000001");
    for (auto _ : state)
        program.click("CmdStart");
}
BENCHMARK(StartRunawaySweep)->Unit(benchmark::kMillisecond);

// From creating the window to its first paint on the screen.
void StartUp(benchmark::State& state) {
    for (auto _ : state) {
        Program program;
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(program.window.get()));
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
