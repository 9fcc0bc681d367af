// What the user does in the window: Enter in the boxes, the store buttons,
// focus and tab order, the access keys, and errors that leave the window
// usable.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "testprog/window/look.hpp"
#include "testprog/window/qvpruef_window.hpp"

using qvpruef::Control;
using qvpruef::window::QVpruefWindow;

class InputTest : public QObject {
  Q_OBJECT

  QVpruefWindow* window_ = nullptr;

  template <class W = QWidget>
  W* find(const char* name) {
    auto* w = window_->findChild<W*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }

  // The keys that type a carriage return.
  struct EnterKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  static constexpr EnterKey enterKeys[] = {
      {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}, {Qt::Key_M, Qt::ControlModifier}};

  // Types `text` over the box's text, then Enter; returns the box's text.
  QString typeAndEnter(const char* box, const QString& text, EnterKey enter = enterKeys[0]) {
    auto* edit = find<QLineEdit>(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, enter.key, enter.modifiers);
    return edit->text();
  }

  QString caption(const char* label) { return find<QLabel>(label)->text(); }

 private slots:
  void initTestCase() { qvpruef::window::setUpLook(); }

  void init() {
    window_ = new QVpruefWindow;
    window_->show();
    window_->activateWindow();  // as the program does: no window manager may do it
    QVERIFY(QTest::qWaitForWindowActive(window_));
  }
  void cleanup() { delete window_; }

  void activationShowsTheToleranceInMetresWithTwoDecimals() {
    QCOMPARE(caption("metros"), "0.03");
    // Coming back from another window is no new activation.
    find<QLineEdit>("fehlersec")->setText("1");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(caption("metros"), "0.03");
  }

  void enterInFehlersecShowsMetresWithFiveDecimals() {
    QCOMPARE(typeAndEnter("fehlersec", ".001"), ".001");
    QCOMPARE(caption("metros"), "0.03088");
    typeAndEnter("fehlersec", "1");
    QCOMPARE(caption("metros"), "30.88333");
    typeAndEnter("fehlersec", "-1");
    QCOMPARE(caption("metros"), "-30.88334");
  }

  // Enter, the keypad's Enter and Ctrl+M alike.
  void rangeFiltersActOnEnterAgainstTheirOneLimit() {
    for (const EnterKey enter : enterKeys) {
      QCOMPARE(typeAndEnter("Bgradpos", "95", enter), "89");
      QCOMPARE(typeAndEnter("Bgradpos", "-95", enter), "-95");
      QCOMPARE(typeAndEnter("Bgradpos", "89.5", enter), "89");
      QCOMPARE(typeAndEnter("Bgradneg", "-95", enter), "-89");
      QCOMPARE(typeAndEnter("Lgradneg", "-179.5", enter), "-179");
      QCOMPARE(typeAndEnter("Lgradpos", "-180", enter), "-180");
      QCOMPARE(typeAndEnter("Lgradpos", "200", enter), "180");
      QCOMPARE(typeAndEnter("fehlersec", "2", enter), "2");
      QCOMPARE(caption("metros"), "61.76666");
    }
    // Ctrl with another letter is no carriage return.
    QCOMPARE(typeAndEnter("Bgradpos", "95", {Qt::Key_J, Qt::ControlModifier}), "95");
  }

  void typingWithoutEnterLeavesTheTextAsTyped() {
    auto* box = find<QLineEdit>("Bgradpos");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "95");
    QCOMPARE(box->text(), "95");
  }

  void enterInBoxesWithoutHandlerChangesNothing() {
    // No default button takes the Enter either.
    QSignalSpy compared(find<QPushButton>("pruefe"), &QPushButton::clicked);
    for (const EnterKey enter : enterKeys) {
      QCOMPARE(typeAndEnter("Bstep", "999", enter), "999");
      QCOMPARE(typeAndEnter("Lstep", "-0", enter), "-0");
      QCOMPARE(typeAndEnter("fonte", "/tmp/x.txt", enter), "/tmp/x.txt");
    }
    QCOMPARE(caption("metros"), "0.03");
    QTest::qWait(20);
    QCOMPARE(compared.size(), 0);
  }

  void storeButtonsSwitchTheModeAndResetTheCounters() {
    window_->setText(Control::errors, " 7");
    window_->setText(Control::caseslab, " 12");
    QCOMPARE(caption("caseslab"), " 12");

    QTest::mouseClick(find<QPushButton>("storeall"), Qt::LeftButton);
    QVERIFY(!find("storeall")->isEnabled());
    QVERIFY(find("storeerrors")->isEnabled());
    QCOMPARE(caption("Label15"), "store all");
    QCOMPARE(caption("errors"), "...");
    QCOMPARE(caption("caseslab"), "...");

    QTest::mouseClick(find<QPushButton>("storeerrors"), Qt::LeftButton);
    QVERIFY(find("storeall")->isEnabled());
    QVERIFY(!find("storeerrors")->isEnabled());
    QCOMPARE(caption("Label15"), "store error");
  }

  void focusStartsOnCompareAndTabsInDesignOrder() {
    QCOMPARE(QApplication::focusWidget(), find("pruefe"));
    // storeerrors is disabled at start-up, so Tab passes over it.
    for (const char* next : {"fonte", "fehlersec", "Lgradneg", "Lgradpos", "Bgradneg", "Bgradpos", "Bstep", "Lstep",
                             "fim", "storeall", "pruefe"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
  }

  void altCClicksCompareAndAltEEndsTheProgram() {
    // A small sweep, so that the click costs nothing.
    for (const char* box : {"Bgradpos", "Bgradneg", "Lgradpos", "Lgradneg"}) find<QLineEdit>(box)->setText("1");
    QTemporaryDir dir;
    find<QLineEdit>("fonte")->setText(dir.filePath("report.txt"));
    QSignalSpy compared(find<QPushButton>("pruefe"), &QPushButton::clicked);
    QSignalSpy ended(window_, &QVpruefWindow::programEnded);

    // Under the offscreen platform the access key's click comes from a timer.
    QTest::keyClick(window_, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(compared.size(), 1);
    QCOMPARE(caption("caseslab"), "1");
    QCOMPARE(ended.size(), 0);
    QTest::keyClick(window_, Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(ended.size(), 1);
  }

  void anErrorIsShownAndTheWindowGoesOn() {
    find<QLineEdit>("fonte")->setText("/nonexistent-folder/report.txt");
    QTest::mouseClick(find<QPushButton>("pruefe"), Qt::LeftButton);
    auto* box = window_->findChild<QMessageBox*>();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY2(box->text().contains("/nonexistent-folder/report.txt"), qPrintable(box->text()));
    box->close();
    QTRY_VERIFY(!window_->findChild<QMessageBox*>());

    QVERIFY(window_->isVisible());
    QCOMPARE(typeAndEnter("Bgradpos", "95"), "89");
  }
};

QTEST_MAIN(InputTest)
#include "input_test.moc"
