// The window as a user sees it: every control where the layout puts it,
// with its design text, font and colours, and no text clipped.
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "testprog/form_view.hpp"
#include "testprog/window/look.hpp"
#include "testprog/window/qvpruef_window.hpp"

using qvpruef::Control;
using qvpruef::controlCount;
using qvpruef::window::QVpruefWindow;

class LayoutTest : public QObject {
  Q_OBJECT

  QVpruefWindow* window_ = nullptr;

  template <class W>
  W* find(const char* name) {
    auto* w = window_->findChild<W*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }

 private slots:
  void initTestCase() {
    qvpruef::window::setUpLook();
    window_ = new QVpruefWindow;
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }
  void cleanupTestCase() { delete window_; }

  void windowIsAFixedPlainWidgetOfTheDesignSize() {
    QCOMPARE(window_->size(), QSize(664, 442));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->windowTitle(), QString::fromUtf8("Quorvel\xc2\xa9 test programe"));
    // A dialog would turn Enter in a box into a click on its default button.
    QVERIFY(!window_->inherits("QDialog"));
  }

  void everyControlOfTheLogicHasItsNameAndDesignText() {
    const QVpruefWindow fresh;  // never shown, so never activated
    for (std::size_t i = 0; i < controlCount; ++i) {
      const auto c = static_cast<Control>(i);
      const QString name = QString::fromUtf8(qvpruef::controlName(c).data());
      QVERIFY2(fresh.findChildren<QWidget*>(name).size() == 1, qPrintable(name));
      QCOMPARE(fresh.text(c), qvpruef::designText(c));
    }
    // "c:/" names no writable place here: the report goes to the home folder.
    const QString report = find<QLineEdit>("fonte")->text();
    QVERIFY2(QDir::isAbsolutePath(report) && report.endsWith("/QV_errorDetect.txt"), qPrintable(report));
    QCOMPARE(find<QPushButton>("pruefe")->text(), "&compare");
    QCOMPARE(find<QLabel>("Label11")->text(), QString::fromUtf8("WGS84   to   Quorvel\xc2\xa9   to   WGS84"));
    QCOMPARE(find<QLabel>("Label17")->text(), "with     WGS_back:");
    QCOMPARE(window_->findChildren<QLabel*>().size(), 24 + 23);
    QVERIFY(!fresh.isEnabled(Control::storeerrors));
    QVERIFY(fresh.isEnabled(Control::storeall));
  }

  void controlsSitAtTheirTwipPositionsInPixels() {
    QCOMPARE(find<QLineEdit>("Bgradpos")->geometry(), QRect(80, 120, 41, 33));
    QCOMPARE(find<QLineEdit>("Lgradneg")->geometry(), QRect(160, 168, 57, 30));
    QCOMPARE(find<QLineEdit>("fonte")->geometry(), QRect(480, 176, 137, 20));
    QCOMPARE(find<QPushButton>("pruefe")->geometry(), QRect(176, 232, 113, 49));
    QCOMPARE(find<QPushButton>("fim")->geometry(), QRect(576, 32, 49, 28));
    QCOMPARE(find<QLabel>("caseslab")->geometry(), QRect(520, 256, 129, 33));
    QCOMPARE(find<QLabel>("Lsekbk")->geometry(), QRect(504, 408, 41, 17));
    QCOMPARE(find<QLabel>("Label2")->geometry(), QRect(8, 176, 65, 17));
  }

  void fontsAreTheDesignFaceAtNinetySixDpi() {
    const auto pixels = [&](const char* name) {
      const QFontInfo info(find<QWidget>(name)->font());
      if (info.family() != "Liberation Sans") qFatal("%s in %s", name, qPrintable(info.family()));
      return info.pixelSize();
    };
    QCOMPARE(pixels("Bgradpos"), 18);  // 13.8 pt
    QCOMPARE(pixels("pruefe"), 16);    // 12 pt
    QCOMPARE(pixels("Label15"), 13);   // 9.6 pt
    QCOMPARE(pixels("Label11"), 24);   // 18 pt
    QCOMPARE(pixels("errors"), 32);    // 24 pt
    QCOMPARE(pixels("fonte"), 11);     // the window's font
    QCOMPARE(pixels("Bsekin"), 11);
  }

  // A wider face than the design's clips texts in the fixed boxes.
  void everyDesignTextFitsItsControl() {
    for (const QLabel* l : window_->findChildren<QLabel*>())
      QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), qPrintable(l->objectName()));
    for (const QPushButton* b : window_->findChildren<QPushButton*>()) {
      const QString shown = QString(b->text()).remove('&');
      QVERIFY2(b->fontMetrics().horizontalAdvance(shown) + 4 <= b->width(), qPrintable(b->objectName()));
    }
    for (const QLineEdit* e : window_->findChildren<QLineEdit*>()) {
      if (e->objectName() == "fonte") continue;  // a path: as long as the home folder's name
      QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) + 6 <= e->width(), qPrintable(e->objectName()));
    }
  }

  // A caption wider than its label shrinks in steps of a pixel, never below
  // the window's own font; only one too wide even then is cut.  The logic
  // reads back the whole caption, and the tooltip shows it.
  void captionsThatDoNotFitShrinkAndShowThemselvesWhole_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");  // "design", "shrunk" or "cut"
    const auto row = [](Control c, const char* caption, const char* shown) {
      QTest::addRow("%s %s", qvpruef::controlName(c).data(), caption) << int(c) << QString(caption) << QString(shown);
    };
    row(Control::errors, "2487", "design");
    row(Control::errors, "24874", "shrunk");
    row(Control::errors, "248740", "shrunk");
    row(Control::errors, "1234567890123", "shrunk");
    row(Control::errors, "12345678901234567", "cut");
    row(Control::caseslab, "1234567", "design");
    row(Control::caseslab, "12345678", "shrunk");
    row(Control::caseslab, "16777217", "shrunk");
    row(Control::WGSin, "lat  50  long  10", "design");
    row(Control::WGSin, "lat -33.8688197  long  151.2", "shrunk");
    row(Control::WGSin, "lat -33.8688197222222  long  151.2", "cut");
    row(Control::WGSbk, "lat -33.868  long 151.209", "design");
  }
  void captionsThatDoNotFitShrinkAndShowThemselvesWhole() {
    QFETCH(int, control);
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    const auto c = static_cast<Control>(control);
    auto* label = find<QLabel>(qvpruef::controlName(c).data());
    const int designPixels = QFontInfo(label->font()).pixelSize();
    const int smallestPixels = QFontInfo(qvpruef::window::designFont(0)).pixelSize();

    window_->setText(c, caption.toStdString());
    QCOMPARE(window_->text(c), caption.toStdString());
    const int pixels = QFontInfo(label->font()).pixelSize();
    QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
    if (shown == "design") {
      QCOMPARE(pixels, designPixels);
      QCOMPARE(label->text(), caption);
      QCOMPARE(label->toolTip(), QString());
    } else {
      QCOMPARE(label->toolTip(), caption);
      QVERIFY2(pixels < designPixels && pixels >= smallestPixels, qPrintable(QString::number(pixels)));
      // Shrunk: the whole caption, at the largest size that holds it.
      if (shown == "shrunk") {
        QCOMPARE(label->text(), caption);
        QFont larger = label->font();
        larger.setPixelSize(pixels + 1);
        QVERIFY(QFontMetrics(larger).horizontalAdvance(caption) > label->width());
      } else {
        QCOMPARE(pixels, smallestPixels);
        QVERIFY2(label->text().endsWith(QChar(0x2026)), qPrintable(label->text()));
      }
    }
    // A caption that fits again is back at the design size.
    window_->setText(c, "...");
    QCOMPARE(QFontInfo(label->font()).pixelSize(), designPixels);
    QCOMPARE(label->toolTip(), QString());
  }

  void captionStyleIsDarkRedAndTheMinusLabelsPlain() {
    const QColor darkRed(192, 0, 0);
    for (const char* name : {"Label9", "Label11", "metros", "Label15", "errors", "caseslab", "Label22"})
      QCOMPARE(find<QLabel>(name)->palette().color(QPalette::WindowText), darkRed);
    for (const char* name : {"Label18", "Label19", "WGSin", "Bgradin"})
      QCOMPARE(find<QLabel>(name)->palette().color(QPalette::WindowText),
               QApplication::palette().color(QPalette::WindowText));
  }

  void grabShowsGreyYellowAndTheRedDecorations() {
    const QImage shot = window_->grab().toImage();
    const auto rgb = [&](int x, int y) { return QColor(shot.pixel(x, y)); };
    QCOMPARE(rgb(300, 20), QColor(224, 224, 224));  // background
    QCOMPARE(rgb(579, 35), QColor(255, 255, 0));    // "&END", inside its edge
    QCOMPARE(rgb(621, 56), QColor(255, 255, 0));
    QCOMPARE(rgb(200, 72), QColor(192, 0, 0));  // Line1 under the title
    QCOMPARE(rgb(200, 75), QColor(224, 224, 224));
    QCOMPARE(rgb(16, 350), QColor(192, 0, 0));       // Shape1, left edge
    QCOMPARE(rgb(300, 432), QColor(192, 0, 0));      // Shape1, bottom edge
    QCOMPARE(rgb(300, 425), QColor(224, 224, 224));  // inside the frame
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
