// A sweep started from the window: the same report and the same final texts
// as the same sweep on the in-memory view that the headless sweep uses, and
// the counters' progress while a long sweep holds the event loop.
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <utility>
#include <vector>

#include "testprog/form_logic.hpp"
#include "testprog/window/look.hpp"
#include "testprog/memory_view.hpp"
#include "testprog/window/qvpruef_window.hpp"

using qvpruef::Control;
using qvpruef::window::QVpruefWindow;

namespace {

QByteArray contents(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
  return f.readAll();
}

// Counts the paints of a label while a handler runs, with the text painted.
class PaintLog : public QObject {
 public:
  bool recording = false;
  std::vector<QString> painted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (recording && event->type() == QEvent::Paint) painted.push_back(static_cast<QLabel*>(watched)->text());
    return false;
  }
};

}  // namespace

class SweepTest : public QObject {
  Q_OBJECT

  QVpruefWindow* window_ = nullptr;
  QTemporaryDir dir_;

  template <class W = QWidget>
  W* find(const char* name) {
    auto* w = window_->findChild<W*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }
  void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

 private slots:
  void initTestCase() {
    qvpruef::window::setUpLook();
    QVERIFY(dir_.isValid());
  }
  void init() {
    window_ = new QVpruefWindow;
    window_->show();
    window_->activateWindow();  // as the program does: no window manager may do it
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }
  void cleanup() { delete window_; }

  void sameReportAndTextsAsTheInMemoryView_data() {
    QTest::addColumn<bool>("storeAll");
    QTest::newRow("store all") << true;
    QTest::newRow("store errors") << false;
  }
  void sameReportAndTextsAsTheInMemoryView() {
    QFETCH(bool, storeAll);
    // 432 cases; at this tolerance about one in ten is an error case.
    const std::vector<std::pair<Control, const char*>> typed = {
        {Control::Bstep, "600"}, {Control::Lstep, "900"}, {Control::fehlersec, "1E-9"}};
    const QString windowReport = dir_.filePath("window.txt");
    const QString memoryReport = dir_.filePath("memory.txt");

    qvpruef::MemoryView memory;
    qvpruef::QVpruefForm form(memory);
    memory.setText(Control::fonte, memoryReport.toStdString());
    for (const auto& [box, text] : typed) memory.setText(box, text);
    if (storeAll) form.storeall_Click();
    form.pruefe_Click();
    QVERIFY(memory.shownErrors().empty());
    QCOMPARE(form.fallzahl, 432);

    find<QLineEdit>("fonte")->setText(windowReport);
    for (const auto& [box, text] : typed) find<QLineEdit>(qvpruef::controlName(box).data())->setText(text);
    if (storeAll) click("storeall");
    click("pruefe");

    QCOMPARE(contents(windowReport), contents(memoryReport));
    for (std::size_t i = 0; i < qvpruef::controlCount; ++i) {
      const auto c = static_cast<Control>(i);
      if (c != Control::fonte) QCOMPARE(window_->text(c), memory.text(c));
    }
    // The counters' labels themselves, not only what the logic last set.
    QCOMPARE(find<QLabel>("caseslab")->text().toStdString(), memory.text(Control::caseslab));
    QCOMPARE(find<QLabel>("errors")->text().toStdString(), memory.text(Control::errors));
  }

  // The default grid, 256,683 cases, only error cases stored; at tolerance 0
  // most are, too many for the errors label at its design size.
  void countersArePaintedAtMostEveryTenthOfASecondDuringALongSweep() {
    find<QLineEdit>("fonte")->setText(dir_.filePath("long.txt"));
    find<QLineEdit>("fehlersec")->setText("");
    auto* cases = find<QLabel>("caseslab");
    auto* errors = find<QLabel>("errors");
    const int designPixels = QFontInfo(errors->font()).pixelSize();
    PaintLog log;
    cases->installEventFilter(&log);

    log.recording = true;
    QElapsedTimer clock;
    clock.start();
    click("pruefe");
    const qint64 ms = clock.elapsed();
    log.recording = false;

    QVERIFY2(static_cast<qint64>(log.painted.size()) <= ms / 100, qPrintable(QString::number(ms)));
    if (ms >= 250) QVERIFY(!log.painted.empty());
    double last = 0;
    for (const QString& text : log.painted) {
      QVERIFY2(text.toDouble() > last, qPrintable(text));
      last = text.toDouble();
    }
    QCOMPARE(cases->text(), "256683");
    QCOMPARE(errors->text(), "248783");
    QVERIFY(QFontInfo(errors->font()).pixelSize() < designPixels);
    QVERIFY(errors->fontMetrics().horizontalAdvance(errors->text()) <= errors->width());
    QCOMPARE(errors->toolTip(), "248783");
  }
};

QTEST_MAIN(SweepTest)
#include "sweep_test.moc"
