// The Win32 test window: controls from the design table, their colours and fonts, keys, and the handlers' wiring.
#include "testprog/win32/qvpruef_window.hpp"

#include <commctrl.h>
#include <shlobj.h>

#include <stdexcept>
#include <utility>

#include "testprog/caption_fit.hpp"
#include "testprog/form_events.hpp"
#include "testprog/win32/control_ids.hpp"
#include "testprog/win32/dpi.hpp"
#include "testprog/win32/report_hint.hpp"
#include "testprog/win32/wide_text.hpp"

namespace qvpruef::win32 {
namespace {

constexpr wchar_t className[] = L"QVpruefWindow";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

const ControlDesign* designOfId(int id) {
  if (id >= firstControlId && id < firstControlId + static_cast<int>(controlCount))
    return &design(static_cast<Control>(id - firstControlId));
  const auto caption = static_cast<std::size_t>(id - firstCaptionId);
  if (id >= firstCaptionId && caption < fixedCaptions.size()) return &fixedCaptions[caption];
  return nullptr;
}

int CALLBACK noteOutline(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  if (type & TRUETYPE_FONTTYPE) *reinterpret_cast<bool*>(found) = true;
  return 1;
}

// "MS Sans Serif" is a bitmap font on Windows, with six sizes at 96 dpi and
// none of 13.8 points; Windows ships its outline twin as "Microsoft Sans
// Serif", which takes any size at any dpi.  Wine's "MS Sans Serif" is an
// outline font itself.
std::wstring outlineFace(std::string_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  const std::wstring name = wide(face);
  name.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool outline = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteOutline, reinterpret_cast<LPARAM>(&outline), 0);
  ReleaseDC(nullptr, screen);
  return outline ? name : L"Microsoft Sans Serif";
}

std::wstring documentsFolder() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

std::wstring windowText(HWND w) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)), L'\0');
  GetWindowTextW(w, text.data(), static_cast<int>(text.size() + 1));
  return text;
}

}  // namespace

QVpruefWindow::QVpruefWindow(HINSTANCE instance)
    : fontFace_(outlineFace(formWindow.fontFace)),
      background_(CreateSolidBrush(toColorRef(formWindow.background))),
      yellowBrush_(CreateSolidBrush(toColorRef(yellow))) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = background_;
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register the window class");

  window_ = CreateWindowExW(0, className, wide(formWindow.caption).c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
  if (!window_) throw std::runtime_error("Cannot create the window");
  createControls();
  layOut(windowDpi(window_));
}

QVpruefWindow::~QVpruefWindow() {
  if (window_) DestroyWindow(window_);
  for (auto& [points, f] : fonts_) DeleteObject(f);
  DeleteObject(background_);
  DeleteObject(yellowBrush_);
}

void QVpruefWindow::createControls() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  const auto make = [&](const ControlDesign& d, int id, const std::string& text) {
    const wchar_t* type = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (d.kind) {
      case Kind::Box:
        type = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Kind::Button:
        type = L"BUTTON";
        style |= WS_TABSTOP | (d.ink == Ink::Yellow ? BS_OWNERDRAW : BS_PUSHBUTTON);
        break;
      case Kind::Label:
        style |= SS_LEFT | SS_NOPREFIX;
        // The logic's labels: a caption too long even at the smallest size
        // ends in an ellipsis, and the mouse over it shows the tooltip.
        if (id < firstCaptionId) style |= SS_ENDELLIPSIS | SS_NOTIFY;
        break;
    }
    if (!d.enabled) style |= WS_DISABLED;
    HWND w = CreateWindowExW(exStyle, type, wide(text).c_str(), style, 0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!w) throw std::runtime_error("Cannot create the control " + std::string(d.name));
    return w;
  };
  // Creation order is the tab order of the dialog manager: the controls that
  // take the focus first, in the layout's order, then the labels.
  for (Control c : tabOrder) controls_[static_cast<std::size_t>(c)] = make(design(c), controlId(c), designText(c));
  for (std::size_t i = 0; i < controlCount; ++i) {
    const auto c = static_cast<Control>(i);
    if (!controls_[i]) controls_[i] = make(design(c), controlId(c), designText(c));
    if (design(c).kind == Kind::Box) {
      boxTexts_[i] = designText(c);
      SetWindowSubclass(controls_[i], boxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  for (std::size_t i = 0; i < fixedCaptions.size(); ++i)
    captions_[i] = make(fixedCaptions[i], captionId(i), std::string(fixedCaptions[i].text));

  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
  for (std::size_t i = 0; i < controlCount; ++i) {
    if (design(static_cast<Control>(i)).kind != Kind::Label) continue;
    TTTOOLINFOW tool = toolOf(controls_[i]);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  // In the order of CounterProgress::Counter.
  constexpr std::array counters{Control::errors, Control::caseslab};
  progress_.emplace(
      CounterProgress::Texts{utf8(windowText(control(counters[0]))), utf8(windowText(control(counters[1])))},
      [this, counters](const CounterProgress::Texts& texts, bool paintNow) {
        for (std::size_t i = 0; i < counters.size(); ++i) {
          showCaption(counters[i], wide(texts[i]));
          if (paintNow) UpdateWindow(control(counters[i]));
        }
      });
}

TTTOOLINFOW QVpruefWindow::toolOf(HWND label) const {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(label);
  tool.lpszText = const_cast<wchar_t*>(L"");
  return tool;
}

void QVpruefWindow::showCaption(Control c, const std::wstring& caption) {
  HWND label = control(c);
  const double designPoints = design(c).points > 0 ? design(c).points : formWindow.points;
  RECT r;
  GetClientRect(label, &r);
  HDC dc = GetDC(label);
  const CaptionFit fit = fitCaption(designPoints, r.right, [&](double points) {
    const HGDIOBJ old = SelectObject(dc, font(points));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    return static_cast<double>(size.cx);
  });
  ReleaseDC(label, dc);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font(fit.points)), FALSE);
  SetWindowTextW(label, caption.c_str());
  InvalidateRect(label, nullptr, TRUE);
  // The whole caption as the tooltip wherever it is not shown whole at its
  // design size; an empty tip shows nothing.
  std::wstring tip = fit.fits && fit.points == designPoints ? std::wstring() : caption;
  TTTOOLINFOW tool = toolOf(label);
  tool.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

HFONT QVpruefWindow::font(double points) {
  if (points <= 0) points = formWindow.points;
  auto& f = fonts_[points];
  if (!f)
    f = CreateFontW(-fontPixels(points, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                    fontFace_.c_str());
  return f;
}

void QVpruefWindow::layOut(unsigned dpi) {
  std::map<double, HFONT> old;
  std::swap(old, fonts_);
  dpi_ = dpi;
  const int d = static_cast<int>(dpi);
  const auto place = [&](HWND w, const ControlDesign& c) {
    const Pixels p = toPixels(c.at, d);
    SetWindowPos(w, nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font(c.points)), FALSE);
  };
  for (std::size_t i = 0; i < controlCount; ++i) place(controls_[i], design(static_cast<Control>(i)));
  for (std::size_t i = 0; i < fixedCaptions.size(); ++i) place(captions_[i], fixedCaptions[i]);
  // The logic's captions fitted again at this dpi.
  for (std::size_t i = 0; i < controlCount; ++i)
    if (design(static_cast<Control>(i)).kind == Kind::Label)
      showCaption(static_cast<Control>(i), windowText(controls_[i]));
  for (auto& [points, f] : old) DeleteObject(f);

  const SIZE outer = outerSize(toPixels(formWindow.width, d), toPixels(formWindow.height, d), windowStyle, 0, dpi);
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

void QVpruefWindow::show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
}

bool QVpruefWindow::dialogMessage(MSG& msg) { return window_ && IsDialogMessageW(window_, &msg); }

template <class Handler>
void QVpruefWindow::run(Handler handler) {
  progress_->start();
  handler();
  progress_->finish();
}

std::string QVpruefWindow::text(Control c) const {
  switch (c) {
    case Control::errors: return progress_->text(CounterProgress::Errors);
    case Control::caseslab: return progress_->text(CounterProgress::Cases);
    default: break;
  }
  if (design(c).kind == Kind::Box) return boxTexts_[static_cast<std::size_t>(c)];
  return utf8(windowText(control(c)));
}

void QVpruefWindow::setText(Control c, const std::string& text) {
  switch (c) {
    case Control::errors: return progress_->set(CounterProgress::Errors, text);
    case Control::caseslab: return progress_->set(CounterProgress::Cases, text);
    default: break;
  }
  if (design(c).kind == Kind::Label) return showCaption(c, wide(text));
  SetWindowTextW(control(c), wide(text).c_str());
  // The box's change notification has stored the text as the box holds it.
}

void QVpruefWindow::setEnabled(Control c, bool enabled) {
  HWND w = control(c);
  // A button that loses the focus by being disabled would leave the
  // keyboard nowhere: the focus moves on in tab order.
  if (!enabled && GetFocus() == w) SetFocus(GetNextDlgTabItem(window_, w, FALSE));
  EnableWindow(w, enabled);
}

bool QVpruefWindow::isEnabled(Control c) const { return IsWindowEnabled(control(c)); }

void QVpruefWindow::endProgram() { DestroyWindow(window_); }

void QVpruefWindow::showError(const std::string& message) {
  const std::string shown = withFolderHint(message, text(Control::fonte), utf8(documentsFolder()));
  MessageBoxW(window_, wide(shown).c_str(), wide(formWindow.caption).c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK QVpruefWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<QVpruefWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<QVpruefWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, w, l);
  try {
    return self->onMessage(message, w, l);
  } catch (const std::exception& e) {
    // The handlers catch their own errors: what arrives here is a fault of
    // the window itself, which ends the program.
    MessageBoxW(nullptr, wide(e.what()).c_str(), wide(formWindow.caption).c_str(), MB_OK | MB_ICONERROR);
    ExitProcess(1);
  }
}

LRESULT QVpruefWindow::onMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: onCommand(LOWORD(w), HIWORD(w)); return 0;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(labelColours(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l)));
    case WM_DRAWITEM: drawYellowButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(l)); return TRUE;
    case WM_PAINT: paint(); return 0;
    case WM_ACTIVATE: onActivate(LOWORD(w) != WA_INACTIVE); return 0;
    case WM_SETFOCUS:
      if (focus_) SetFocus(focus_);
      return 0;
    case DM_GETDEFID: {
      // Enter on a focused button presses it; elsewhere there is no default
      // button (the boxes keep Enter for themselves).
      HWND focus = GetFocus();
      const ControlDesign* d = designOfId(GetDlgCtrlID(focus));
      if (focus && GetParent(focus) == window_ && d && d->kind == Kind::Button)
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      return 0;
    }
    case WM_DPICHANGED: {
      const auto* r = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      layOut(HIWORD(w));
      return 0;
    }
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcW(window_, message, w, l);
  }
}

void QVpruefWindow::onCommand(int id, int code) {
  const ControlDesign* d = designOfId(id);
  if (!d || id >= firstCaptionId) return;  // Enter and Escape of the dialog manager: IDOK, IDCANCEL
  const auto c = static_cast<Control>(id - firstControlId);
  if (d->kind == Kind::Box && code == EN_CHANGE) {
    boxTexts_[static_cast<std::size_t>(c)] = utf8(windowText(control(c)));
  } else if (d->kind == Kind::Button && code == BN_CLICKED) {
    if (const auto h = clickHandlerOf(c)) run([&] { (form_.*h)(); });
  }
}

void QVpruefWindow::onBoxEnter(HWND box) {
  const auto c = static_cast<Control>(GetDlgCtrlID(box) - firstControlId);
  if (const auto h = keyHandlerOf(c)) run([&] { (form_.*h)('\r'); });
}

void QVpruefWindow::onActivate(bool active) {
  if (!active) {
    focus_ = GetFocus();
    return;
  }
  // The window activates once at start-up; later activations (back from a
  // message box or another program) are not the form's activation.
  if (!activated_) {
    activated_ = true;
    focus_ = control(tabOrder.front());
    SetFocus(focus_);
    run([this] { form_.Form_Activate(); });
    return;
  }
  if (focus_ && IsWindow(focus_)) SetFocus(focus_);
}

LRESULT CALLBACK QVpruefWindow::boxProcedure(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter stays with the box instead of pressing a default button.
      LRESULT code = DefSubclassProc(box, message, w, l);
      const auto* msg = reinterpret_cast<const MSG*>(l);
      if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      // The edit control itself would look for a default button.
      if (w == VK_RETURN) return 0;
      break;
    case WM_CHAR:
      // Enter, or Ctrl+M, types a carriage return: it runs the box's key
      // handler and never becomes part of the text.
      if (w == '\r') {
        reinterpret_cast<QVpruefWindow*>(self)->onBoxEnter(box);
        return 0;
      }
      break;
    default: break;
  }
  return DefSubclassProc(box, message, w, l);
}

HBRUSH QVpruefWindow::labelColours(HDC dc, HWND label) {
  const int id = GetDlgCtrlID(label);
  const ControlDesign* d = designOfId(id);
  SetBkColor(dc, toColorRef(formWindow.background));
  SetTextColor(dc, d && d->ink == Ink::Caption ? toColorRef(darkRed) : GetSysColor(COLOR_WINDOWTEXT));
  if (id >= firstCaptionId) {
    // The fixed captions never change, so they can let the window's own
    // painting show through: Label11 lies over Line1's lower edge.
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  return background_;
}

void QVpruefWindow::drawYellowButton(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  RECT face = r;
  InflateRect(&face, -2, -2);
  FillRect(item.hDC, &face, yellowBrush_);
  if (pressed) OffsetRect(&face, 1, 1);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  const std::wstring caption = windowText(item.hwndItem);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(item.hDC, caption.c_str(), -1, &face, format);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(item.hDC, &focus);
  }
}

void QVpruefWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  const int d = static_cast<int>(dpi_);
  // Line1 with flat ends, its width centred on its y.
  const int lineWidth = MulDiv(line1.width, d, 96);
  const int y = toPixels(line1.y, d) - lineWidth / 2;
  HBRUSH red = CreateSolidBrush(toColorRef(line1.colour));
  const RECT line{toPixels(line1.x1, d), y, toPixels(line1.x2, d), y + lineWidth};
  FillRect(dc, &line, red);
  // Shape1's border lies inside its rectangle.
  const Pixels p = toPixels(shape1.at, d);
  const int border = MulDiv(shape1.width, d, 96);
  RECT frame{p.left, p.top, p.left + p.width, p.top + p.height};
  for (int i = 0; i < border; ++i) {
    FrameRect(dc, &frame, red);
    InflateRect(&frame, -1, -1);
  }
  DeleteObject(red);
  EndPaint(window_, &ps);
}

}  // namespace qvpruef::win32
