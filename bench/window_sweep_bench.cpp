// The default sweep (256,683 cases) run from the window under the offscreen
// platform, the same sweep on the engine alone in the same process (so the
// two compare under the same load), and the cost of one progress update of
// the two counters during a long sweep.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "sweep/sweep.hpp"
#include "testprog/window/look.hpp"
#include "testprog/window/qvpruef_window.hpp"

namespace {

using qvpruef::Control;

qvpruef::window::QVpruefWindow* window = nullptr;
QTemporaryDir* scratch = nullptr;

QString reportPath() { return QDir(scratch->path()).filePath("QV_errorDetect.txt"); }

void click(Control c) { window->findChild<QPushButton*>(QString::fromUtf8(qvpruef::controlName(c).data()))->click(); }

void sweepCounters(benchmark::State& state, double cases) {
  state.counters["cases"] = cases;
  state.counters["reportMB"] = static_cast<double>(QFileInfo(reportPath()).size()) / 1e6;
}

// state.range(0): 1 stores every case, 0 only the error cases.
void WindowSweep(benchmark::State& state) {
  window->setText(Control::fonte, reportPath().toStdString());
  click(state.range(0) ? Control::storeall : Control::storeerrors);
  for (auto _ : state) {
    click(Control::pruefe);
    if (const auto* box = window->findChild<QMessageBox*>()) {
      state.SkipWithError(box->text().toStdString().c_str());
      break;
    }
  }
  sweepCounters(state, std::stod(window->text(Control::caseslab)));
}

void EngineSweep(benchmark::State& state) {
  qvsweep::SweepSettings settings;
  settings.reportPath = reportPath().toStdString();
  settings.storeAll = state.range(0) != 0;
  qvsweep::SweepResult result;
  for (auto _ : state) {
    result = qvsweep::runSweep(settings);
    if (result.failure) {
      state.SkipWithError(result.failure->c_str());
      break;
    }
  }
  sweepCounters(state, static_cast<double>(result.cases));
}

// What the window does every 100 ms of a long sweep: both counters take new
// texts and are painted at once.
void CounterRepaint(benchmark::State& state) {
  auto* errors = window->findChild<QLabel*>("errors");
  auto* cases = window->findChild<QLabel*>("caseslab");
  int n = 100000;
  for (auto _ : state) {
    ++n;
    errors->setText(QString::number(n / 7));
    errors->repaint();
    cases->setText(QString::number(n));
    cases->repaint();
  }
}

BENCHMARK(WindowSweep)->ArgName("storeAll")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(EngineSweep)->ArgName("storeAll")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(CounterRepaint)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  qvpruef::window::setUpLook();
  QTemporaryDir dir;
  scratch = &dir;
  qvpruef::window::QVpruefWindow w;
  window = &w;
  w.show();
  // Painting needs a shown window; a platform that never activates it still
  // gets its figures after a few seconds.
  QElapsedTimer waited;
  waited.start();
  while (!w.isActiveWindow() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
