// QVpruef.exe under test from outside: its design, keys, store buttons, sweeps, message boxes and end.
// qvpruef_driver QVPRUEF.EXE SWEEPS.TXT REPORT_FOLDER
// One program runs through all tests in order, as one user session would; its
// sweep reports land in REPORT_FOLDER for window_test.sh to compare with
// qvcode's.  Places are checked at the screen's dpi, pixels at 96 dpi only.
// The last line says "window: N failed".
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "testprog/win32/tests/driven_window.hpp"
#include "version.hpp"
#include "testprog/win32/wide_text.hpp"

namespace qvpruef::win32 {
namespace {

std::wstring exePath, sweepsPath, reportFolder;

std::string reportPath(const std::string& name) { return utf8(reportFolder) + "\\" + name + ".txt"; }

bool fileExists(const std::string& path) { return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

class Window : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    try {
      app = std::make_unique<DrivenWindow>(exePath);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
    }
  }
  static void TearDownTestSuite() { app.reset(); }
  void SetUp() override {
    if (!app) FAIL() << "QVpruef's window did not open";
  }
  static std::unique_ptr<DrivenWindow> app;
};
std::unique_ptr<DrivenWindow> Window::app;

constexpr COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

bool inside(int x, int y, Pixels r) {
  return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

// Whether a pixel of a label's rectangle has the colour, outside the boxes
// and buttons that lie over some labels.
bool anyPixel(const DrivenWindow& w, const DrivenWindow::Picture& p, Pixels r, COLORREF colour) {
  std::vector<Pixels> covered;
  for (Control c : tabOrder) covered.push_back(w.rect(w.control(c)));
  for (int y = r.top; y < r.top + r.height; ++y)
    for (int x = r.left; x < r.left + r.width; ++x) {
      if (p.at(x, y) != colour) continue;
      bool free = true;
      for (const Pixels& c : covered) free = free && !inside(x, y, c);
      if (free) return true;
    }
  return false;
}

::testing::AssertionResult samePlace(const char*, const char*, Pixels got, Pixels want) {
  if (got.left == want.left && got.top == want.top && got.width == want.width && got.height == want.height)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << got.left << "," << got.top << " " << got.width << "x" << got.height
                                       << " instead of " << want.left << "," << want.top << " " << want.width << "x"
                                       << want.height;
}

// The screen's dpi, as the program under test finds it when it starts.
int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

TEST_F(Window, OpensAsDesignedWithTheMetresOfTheToleranceAndTheFocusOnCompare) {
  const int dpi = screenDpi();
  EXPECT_EQ(app->text(nullptr), formWindow.caption);
  EXPECT_PRED_FORMAT2(samePlace, app->clientSize(),
                      (Pixels{0, 0, toPixels(formWindow.width, dpi), toPixels(formWindow.height, dpi)}));
  if (dpi == 96) {
    EXPECT_PRED_FORMAT2(samePlace, app->clientSize(), (Pixels{0, 0, 664, 442}));
  }
  const auto expect = [&](HWND w, const ControlDesign& d, const std::string& text) {
    ASSERT_NE(w, nullptr) << d.name;
    const wchar_t* kind = d.kind == Kind::Box ? L"Edit" : d.kind == Kind::Button ? L"Button" : L"Static";
    EXPECT_EQ(app->className(w), kind) << d.name;
    EXPECT_EQ(app->text(w), text) << d.name;
    EXPECT_PRED_FORMAT2(samePlace, app->rect(w), toPixels(d.at, dpi)) << d.name;
    EXPECT_EQ(IsWindowEnabled(w) != FALSE, d.enabled) << d.name;
  };
  for (std::size_t i = 0; i < controlCount; ++i) {
    const auto c = static_cast<Control>(i);
    expect(app->control(c), design(c), c == Control::metros ? "0.03" : std::string(design(c).text));
  }
  for (std::size_t i = 0; i < fixedCaptions.size(); ++i)
    expect(app->caption(i), fixedCaptions[i], std::string(fixedCaptions[i].text));
  EXPECT_EQ(app->focus(), app->control(Control::pruefe));
}

// The places are those at 96 dpi.
TEST_F(Window, PaintsItsColoursLineAndFrame) {
  if (screenDpi() != 96) GTEST_SKIP() << "the pixels checked are those at 96 dpi";
  const COLORREF grey = toColorRef(formWindow.background), red = toColorRef(darkRed);
  // The window paints once its handlers have returned: the picture is
  // taken once Line1 is there.
  DrivenWindow::Picture p;
  EXPECT_TRUE(app->waitFor([&] { return (p = app->picture()).at(16, 72) == red; }));
  const auto pixel = [&](int x, int y) { return p.at(x, y); };
  EXPECT_EQ(pixel(4, 4), grey);
  // Line1: 3 pixels on y 72, from x 16 to 455, also where Label11 lies over it.
  for (int y : {71, 72, 73}) {
    EXPECT_EQ(pixel(16, y), red) << y;
    EXPECT_EQ(pixel(455, y), red) << y;
  }
  EXPECT_EQ(pixel(300, 70), grey);
  EXPECT_EQ(pixel(300, 74), grey);
  EXPECT_EQ(pixel(456, 72), grey);
  // Shape1: 2 pixels inside 16,296 633x137.
  for (int x : {16, 17, 647, 648}) EXPECT_EQ(pixel(x, 360), red) << x;
  for (int y : {296, 297, 431, 432}) EXPECT_EQ(pixel(300, y), red) << y;
  EXPECT_EQ(pixel(18, 360), grey);
  EXPECT_EQ(pixel(15, 360), grey);
  // "&END": yellow inside its frame.
  const Pixels end = app->rect(app->control(Control::fim));
  EXPECT_EQ(pixel(end.left + 3, end.top + 3), toColorRef(yellow));
  EXPECT_EQ(pixel(end.left + end.width - 4, end.top + end.height - 4), toColorRef(yellow));
  // Captions in dark red, the "-" labels and the result labels in the
  // default text colour.
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  for (std::size_t i = 0; i < fixedCaptions.size(); ++i) {
    const Pixels r = app->rect(app->caption(i));
    const bool caption = fixedCaptions[i].ink == Ink::Caption;
    EXPECT_EQ(anyPixel(*app, p, r, red), caption) << fixedCaptions[i].name;
    EXPECT_EQ(anyPixel(*app, p, r, ink), !caption) << fixedCaptions[i].name;
  }
  EXPECT_TRUE(anyPixel(*app, p, app->rect(app->control(Control::metros)), red));
  EXPECT_TRUE(anyPixel(*app, p, app->rect(app->control(Control::WGSin)), ink));
}

TEST_F(Window, TabFollowsTheLayoutsOrderPastTheDisabledButton) {
  app->focusOn(Control::pruefe);
  std::vector<Control> expected;
  for (Control c : tabOrder)
    if (c != tabOrder.front() && design(c).enabled) expected.push_back(c);
  expected.push_back(tabOrder.front());
  for (Control c : expected) {
    app->press(VK_TAB);
    EXPECT_TRUE(app->waitFor([&] { return app->focus() == app->control(c); })) << controlName(c);
  }
  app->press(VK_TAB, VK_SHIFT);
  EXPECT_TRUE(app->waitFor([&] { return app->focus() == app->control(Control::storeall); }));
}

struct KeyCase {
  Control box;
  const char* typed;
  const char* after;      // the box's text after Enter
  const char* metres;     // the metres display after Enter, or nullptr: unchanged
  bool controlM = false;  // Ctrl+M instead of Enter
};

// Enter in a box runs its key handler; the typed characters reach the box as
// they are; Enter presses no button (no sweep starts: the counters stay).
TEST_F(Window, EnterRunsTheBoxesKeyHandlersAndPressesNoButton) {
  const KeyCase cases[] = {
      {Control::Bgradpos, "95", "89", nullptr},
      {Control::Bgradpos, "-95", "-95", nullptr},
      {Control::Bgradpos, "89.5", "89", nullptr, true},
      {Control::Bgradneg, "-89.5", "-89", nullptr},
      {Control::Lgradpos, "180.1", "180", nullptr},
      {Control::Lgradpos, "-180", "-180", nullptr},
      {Control::Lgradneg, "-179.5", "-179", nullptr},
      {Control::Lgradneg, "abc", "abc", nullptr},
      {Control::Bstep, "95", "95", nullptr},
      {Control::Lstep, "0", "0", nullptr},
      {Control::fonte, "x", "x", nullptr},
      {Control::fehlersec, "1", "1", "30.88333"},
      {Control::fehlersec, "-1", "-1", "-30.88334", true},
      {Control::fehlersec, "abc", "abc", "0"},
      {Control::fehlersec, ".001", ".001", "0.03088"},
  };
  for (const KeyCase& k : cases) {
    SCOPED_TRACE(std::string(controlName(k.box)) + " " + k.typed);
    const std::string metresBefore = app->text(Control::metros);
    app->setText(k.box, "");
    app->focusOn(k.box);
    app->type(k.typed);
    EXPECT_TRUE(app->waitFor([&] { return app->text(k.box) == k.typed; })) << app->text(k.box);
    k.controlM ? app->press('M', VK_CONTROL) : app->press(VK_RETURN);
    // Tab after the Enter: once the focus has moved, the Enter was handled.
    app->press(VK_TAB);
    EXPECT_TRUE(app->waitFor([&] { return app->focus() != app->control(k.box); }));
    EXPECT_EQ(app->text(k.box), k.after);
    EXPECT_EQ(app->text(Control::metros), k.metres ? k.metres : metresBefore);
    EXPECT_EQ(app->text(Control::caseslab), "...");
  }
}

TEST_F(Window, StoreButtonsSwitchTheModeAndDisableThemselves) {
  // Enter and Space on a focused button press it.
  app->focusOn(Control::storeall);
  app->press(VK_RETURN);
  EXPECT_TRUE(app->waitFor([&] { return app->text(Control::Label15) == "store all"; }));
  app->focusOn(Control::storeerrors);
  app->press(VK_SPACE);
  EXPECT_TRUE(app->waitFor([&] { return app->text(Control::Label15) == "store error"; }));
  for (const bool all : {true, false, true, false}) {
    app->click(all ? Control::storeall : Control::storeerrors);
    EXPECT_EQ(IsWindowEnabled(app->control(Control::storeall)) != FALSE, !all);
    EXPECT_EQ(IsWindowEnabled(app->control(Control::storeerrors)) != FALSE, all);
    EXPECT_EQ(app->text(Control::Label15), all ? "store all" : "store error");
    EXPECT_EQ(app->text(Control::errors), "...");
    EXPECT_EQ(app->text(Control::caseslab), "...");
  }
}

struct Sweep {
  std::string name, store;
  std::string latFrom, latTo, latStep, lonFrom, lonTo, lonStep, tolerance;
  long long cases = 0;
};

// sweeps.txt: one sweep a line, its fields separated by blanks, "" for an
// empty text, '#' for a comment.
std::vector<Sweep> readSweeps() {
  std::ifstream in(sweepsPath.c_str());
  std::vector<Sweep> sweeps;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Sweep s;
    fields >> s.name >> s.store >> s.latFrom >> s.latTo >> s.latStep >> s.lonFrom >> s.lonTo >> s.lonStep >>
        s.tolerance >> s.cases;
    for (std::string* f : {&s.latFrom, &s.latTo, &s.latStep, &s.lonFrom, &s.lonTo, &s.lonStep, &s.tolerance})
      if (*f == "\"\"") f->clear();
    sweeps.push_back(s);
  }
  return sweeps;
}

// Each sweep's report for comparison with qvcode's; the first runs from the
// access key Alt+C.
TEST_F(Window, SweepsWriteTheirReportsAndCount) {
  const std::vector<Sweep> sweeps = readSweeps();
  ASSERT_FALSE(sweeps.empty());
  bool first = true;
  for (const Sweep& s : sweeps) {
    SCOPED_TRACE(s.name);
    const bool all = s.store == "all";
    if (IsWindowEnabled(app->control(all ? Control::storeall : Control::storeerrors)))
      app->click(all ? Control::storeall : Control::storeerrors);
    app->setText(Control::Bgradpos, s.latFrom);
    app->setText(Control::Bgradneg, s.latTo);
    app->setText(Control::Bstep, s.latStep);
    app->setText(Control::Lgradpos, s.lonFrom);
    app->setText(Control::Lgradneg, s.lonTo);
    app->setText(Control::Lstep, s.lonStep);
    app->setText(Control::fehlersec, s.tolerance);
    app->setText(Control::fonte, reportPath(s.name));
    if (first) {
      app->focusOn(Control::Bstep);
      app->press('C', VK_MENU);
      EXPECT_TRUE(app->waitFor([&] { return app->text(Control::caseslab) != "..."; }));
      first = false;
    } else {
      app->click(Control::pruefe);
    }
    EXPECT_EQ(app->text(Control::caseslab), std::to_string(s.cases));
    EXPECT_TRUE(fileExists(reportPath(s.name)));
    EXPECT_NE(app->text(Control::WGSin), "...");
  }
}

// Where the caption's ink lies in a label: left, top, width, height.
Pixels ink(const DrivenWindow::Picture& p, Pixels r, COLORREF colour) {
  int left = r.left + r.width, right = r.left - 1, top = r.top + r.height, bottom = r.top - 1;
  for (int y = r.top; y < r.top + r.height; ++y)
    for (int x = r.left; x < r.left + r.width; ++x)
      if (p.at(x, y) == colour) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  return {left, top, right - left + 1, bottom - top + 1};
}

// errors at 24 pt holds four digits: a count of five shrinks until it fits,
// whole, with all of it as the tooltip.
TEST_F(Window, ACountTooWideForItsLabelShrinksAndShowsAsTooltip) {
  if (IsWindowEnabled(app->control(Control::storeerrors))) app->click(Control::storeerrors);
  const auto sweep = [&](const char* step) {
    for (auto [box, text] : {std::pair{Control::Bgradpos, "89"},
                             {Control::Bgradneg, "-89"},
                             {Control::Bstep, step},
                             {Control::Lgradpos, "180"},
                             {Control::Lgradneg, "-179"},
                             {Control::Lstep, step},
                             {Control::fehlersec, ""}})
      app->setText(box, text);
    app->setText(Control::fonte, reportPath("shrink"));
    app->click(Control::pruefe);
  };
  const COLORREF red = toColorRef(darkRed);
  const Pixels label = app->rect(app->control(Control::errors));
  // A label is painted once the handler has returned: each picture is taken
  // once the count shows, a digit is taller than the dots of "...".
  sweep("6000");  // one case
  const std::string few = app->text(Control::errors);
  Pixels designInk{};
  EXPECT_TRUE(app->waitFor([&] { return (designInk = ink(app->picture(), label, red)).height > 8; }));
  sweep("60");
  const std::string many = app->text(Control::errors);
  ASSERT_GE(many.size(), 5U) << many;
  ASSERT_LE(few.size(), 4U) << few;
  Pixels shrunk{};
  EXPECT_TRUE(app->waitFor([&] { return (shrunk = ink(app->picture(), label, red)).width > designInk.width; }));
  EXPECT_LT(shrunk.height, designInk.height);
  EXPECT_GE(shrunk.left, label.left);
  EXPECT_LT(shrunk.left + shrunk.width, label.left + label.width);

  HWND tip = app->hover(label.left + 10, label.top + label.height / 2);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(app->text(tip), many);
  app->moveMouse(4, 4);
}

std::string documentsFolder() {
  PWSTR path = nullptr;
  SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path);
  std::string folder = path ? utf8(path) : "";
  CoTaskMemFree(path);
  return folder;
}

// A report that cannot be opened: the message box, owned by the window,
// says why (and, in a drive's root folder, names the Documents folder); once
// it is closed the window works as before.
TEST_F(Window, ErrorsShowInAMessageBoxAndTheWindowGoesOn) {
  // A folder where the file should be: the root of C: refuses the file.
  const std::string blocked = "c:/QV_blocked_" + std::to_string(sizeof(void*) * 8) + ".txt";
  CreateDirectoryW(wide(blocked).c_str(), nullptr);
  const struct {
    std::string path, message, hint;
  } cases[] = {
      {"c:/no such folder/x.txt", "Cannot open report file 'c:/no such folder/x.txt': No such file or directory", ""},
      {blocked, "Cannot open report file '" + blocked + "': Is a directory",
       "folder of your own into the box \"cases on file:\", for example:\n" + documentsFolder() + "\\" +
           blocked.substr(3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    for (auto [box, text] : {std::pair{Control::Bgradpos, "1"},
                             {Control::Bgradneg, "0"},
                             {Control::Bstep, "60"},
                             {Control::Lgradpos, "1"},
                             {Control::Lgradneg, "0"},
                             {Control::Lstep, "60"}})
      app->setText(box, text);
    app->setText(Control::fonte, c.path);
    app->clickLater(Control::pruefe);
    HWND box = app->messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(app->window()));
    const std::string message = app->messageText(box);
    EXPECT_EQ(message.substr(0, c.message.size()), c.message) << message;
    EXPECT_EQ(message.find("Documents") != std::string::npos, !c.hint.empty()) << message;
    if (!c.hint.empty()) {
      EXPECT_NE(message.find(c.hint), std::string::npos) << message;
    }
    EXPECT_TRUE(app->closeMessageBox(box));

    app->setText(Control::fonte, reportPath("after_error"));
    app->click(Control::pruefe);
    EXPECT_EQ(app->text(Control::caseslab), "4");
  }
  RemoveDirectoryW(wide(blocked).c_str());
}

// The version resource carries the project's version; the file has its icon.
TEST_F(Window, CarriesTheVersionAndTheIcon) {
  DWORD unused = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(exePath.c_str(), &unused));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(exePath.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  wchar_t* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(utf8(text), qv::version);
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, qv::version);
  EXPECT_EQ(ExtractIconExW(exePath.c_str(), -1, nullptr, nullptr, 0), 1U);
}

TEST_F(Window, EndEndsTheProgramAtOnce) {
  app->focusOn(Control::fonte);
  app->press('E', VK_MENU);
  EXPECT_EQ(app->exitCode(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace qvpruef::win32

int wmain(int argc, wchar_t** argv) {
  // Rectangles in the screen's own pixels, not scaled to 96 dpi.
  SetProcessDPIAware();
  testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: qvpruef_driver QVPRUEF.EXE SWEEPS.TXT REPORT_FOLDER\nwindow: 1 failed\n");
    return 2;
  }
  qvpruef::win32::exePath = argv[1];
  qvpruef::win32::sweepsPath = argv[2];
  qvpruef::win32::reportFolder = argv[3];
  const int status = RUN_ALL_TESTS();
  std::printf("window: %d failed\n", testing::UnitTest::GetInstance()->failed_test_count() +
                                         (testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed() ? 1 : 0));
  return status;
}
