#include "platform/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>

#include "core/text1252.h"
#include "window/events.h"

namespace veldaris {
namespace {

constexpr wchar_t kWindowClass[] = L"Veldaris";
constexpr wchar_t kPictureClass[] = L"VeldarisPicture";
constexpr int kFirstControlId = 100;
constexpr int kDropDownHeight = 200;  // pixels of a combo box's list, below its edit field

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

bool IsNavigationKey(WPARAM key) {
  return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME ||
         key == VK_END;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

Win32Window::Win32Window(std::filesystem::path workDir, HINSTANCE instance)
    : model_(platform_, std::move(workDir)), instance_(instance) {
  platform_.SetBeforeModal([this] { Sync(); });
}

Win32Window::~Win32Window() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  for (HBITMAP bitmap : bitmaps_) DeleteObject(bitmap);
}

void Win32Window::Load() {
  Build();
  Dispatch([&] { OnLoad(model_); });
}

void Win32Window::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  Sync();
}

void Win32Window::Process(MSG& msg) {
  if (!PreTranslate(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  NoteFocus();
}

void Win32Window::Build() {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&common);
  WNDCLASSEXW window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = WindowProc;
  window.hInstance = instance_;
  window.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  window.hIconSm = window.hIcon;
  window.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  window.hbrBackground = CreateSolidBrush(ToColorRef(kFormBackground));
  window.lpszClassName = kWindowClass;
  RegisterClassExW(&window);
  WNDCLASSEXW picture{};
  picture.cbSize = sizeof picture;
  picture.style = CS_HREDRAW | CS_VREDRAW;
  picture.lpfnWndProc = PictureProc;
  picture.hInstance = instance_;
  picture.hCursor = window.hCursor;
  picture.cbWndExtra = sizeof(LONG_PTR);
  picture.lpszClassName = kPictureClass;
  RegisterClassExW(&picture);

  // A fixed single border, a close box only.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  hwnd_ = CreateWindowExW(0, kWindowClass, Windows1252ToWide(WindowCaption()).c_str(),
                          style, CW_USEDEFAULT, CW_USEDEFAULT, Px(kWindowWidth), Px(kNormalHeight),
                          nullptr, nullptr, instance_, static_cast<NativeWindow*>(this));
  platform_.SetOwner(hwnd_);
  tooltips_ = MakeTooltips(0);
  tooltipTexts_.reserve(kControlCount);
  for (const ControlSpec& spec : ControlTable()) controls_[static_cast<std::size_t>(spec.id)] = Create(spec);
  // The controls stack in the order of the design: an earlier one lies on top of a later one,
  // so that Combo1 and Combo2 cover the fields under them and Text2 overlaps Text16. The
  // frame, drawn as nothing, lies under the options it holds.
  for (const ControlSpec& spec : ControlTable())
    SetWindowPos(control(spec.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(control(Frame1), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HFONT Win32Window::FontOf(const ControlSpec& spec, double points) {
  // The standard dialog font of the design: MS Sans Serif 8.25 pt.
  const std::string family = spec.fontFamily.empty() ? "MS Sans Serif" : spec.fontFamily;
  if (points == 0) points = spec.fontFamily.empty() ? 8.25 : spec.fontPoints;
  const auto key = std::make_tuple(family, points, spec.bold);
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  const int height = -static_cast<int>(points * dpi_ / 72.0 + 0.5);
  const bool fixed = family == "Courier New";
  HFONT font = CreateFontW(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           (fixed ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS),
                           Windows1252ToWide(family).c_str());
  fonts_.emplace(key, font);
  return font;
}

HFONT Win32Window::FittingFont(const ControlSpec& spec, int room) {
  std::wstring caption = Windows1252ToWide(spec.caption);
  std::erase(caption, L'&');
  HDC dc = GetDC(hwnd_);
  double points = spec.fontFamily.empty() ? 8.25 : spec.fontPoints;
  HFONT font = FontOf(spec, points);
  for (;;) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    if (size.cx <= room || points <= 6.5) break;
    points -= 0.75;
    font = FontOf(spec, points);
  }
  ReleaseDC(hwnd_, dc);
  return font;
}

// The window of one control: its class and styles by kind, its place from the table.
struct Win32Window::NativeControl {
  const wchar_t* windowClass = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
  std::wstring text;
  int extraHeight = 0;
};

Win32Window::NativeControl Win32Window::TextBox(const ControlSpec& spec) {
  NativeControl c{L"EDIT", ES_AUTOHSCROLL, spec.flat ? 0u : static_cast<DWORD>(WS_EX_CLIENTEDGE),
                  Windows1252ToWide(spec.caption)};
  if (spec.readOnly) c.style |= ES_READONLY;
  c.style |= spec.alignment == Alignment::kRight    ? ES_RIGHT
             : spec.alignment == Alignment::kCentre ? ES_CENTER
                                                    : ES_LEFT;
  return c;
}

Win32Window::NativeControl Win32Window::ComboBox(const ControlSpec& spec) {
  return {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0,
          Windows1252ToWide(spec.caption), kDropDownHeight};
}

Win32Window::NativeControl Win32Window::Button(const ControlSpec& spec) {
  return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE, 0, Windows1252ToWide(spec.caption)};
}

Win32Window::NativeControl Win32Window::Frame(const ControlSpec&) {
  return {};  // the frame's caption is not drawn
}

Win32Window::NativeControl Win32Window::OptionButton(const ControlSpec& spec) {
  // Only as wide as the mark in the frame: there the caption never shows.
  return {L"BUTTON", BS_RADIOBUTTON, 0, spec.inFrame ? L"" : Windows1252ToWide(spec.caption)};
}

Win32Window::NativeControl Win32Window::PictureBox(const ControlSpec&) {
  return {kPictureClass, 0, 0, {}};
}

Win32Window::NativeControl Win32Window::ListBox(const ControlSpec&) {
  // The rows stay in the model: the list asks for each one it draws.
  return {L"LISTBOX",
          LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL,
          WS_EX_CLIENTEDGE, {}};
}

HWND Win32Window::Create(const ControlSpec& spec) {
  NativeControl native;
  switch (spec.kind) {  // every kind, so that a new one does not compile until it is made here
    case ControlKind::kTextBox: native = TextBox(spec); break;
    case ControlKind::kComboBox: native = ComboBox(spec); break;
    case ControlKind::kButton: native = Button(spec); break;
    case ControlKind::kFrame: native = Frame(spec); break;
    case ControlKind::kOptionButton: native = OptionButton(spec); break;
    case ControlKind::kPictureBox: native = PictureBox(spec); break;
    case ControlKind::kListBox: native = ListBox(spec); break;
    // The tree window's kinds, of which this window has none.
    case ControlKind::kLabel: case ControlKind::kText: case ControlKind::kNotes: case ControlKind::kDropDownList:
    case ControlKind::kTable: case ControlKind::kChoiceList: case ControlKind::kProgress: case ControlKind::kCheckBox: case ControlKind::kMap: native = Frame(spec); break;
  }
  const ControlSpec& frame = SpecOf(Frame1);
  int left = Px(spec.left);
  int top = Px(spec.top);
  if (spec.inFrame) {  // placed on the window, at the frame's place
    left += Px(frame.left);
    top += Px(frame.top);
  }
  const DWORD style = native.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (spec.tabStop ? WS_TABSTOP : 0);
  HWND hwnd = CreateWindowExW(native.exStyle, native.windowClass, native.text.c_str(), style, left, top,
                              Px(spec.width), Px(spec.height) + native.extraHeight, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + spec.id)),
                              instance_, nullptr);
  // Captions (the row captions, the headings, the buttons) fit their control.
  const bool caption = spec.kind == ControlKind::kButton ||
                       (spec.kind == ControlKind::kTextBox && (spec.readOnly || !spec.tabStop));
  const int room = Px(spec.width) - (spec.kind == ControlKind::kButton ? 6 : 8);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(caption ? FittingFont(spec, room) : FontOf(spec)), FALSE);
  SetWindowSubclass(hwnd, ControlProc, static_cast<UINT_PTR>(spec.id), reinterpret_cast<DWORD_PTR>(this));
  if (spec.kind == ControlKind::kPictureBox) LoadPicture(hwnd, spec);
  if (spec.kind == ControlKind::kComboBox) {
    // What is typed goes to the combo's own edit field.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd, &info) && info.hwndItem)
      SetWindowSubclass(info.hwndItem, ControlProc, static_cast<UINT_PTR>(spec.id), reinterpret_cast<DWORD_PTR>(this));
  }
  if (spec.kind == ControlKind::kListBox) MeasureListRows(hwnd, spec);
  if (!spec.tooltip.empty()) AddTooltip(hwnd, spec);
  return hwnd;
}

void Win32Window::LoadPicture(HWND hwnd, const ControlSpec& spec) {
  std::string resource = spec.picture.substr(0, spec.picture.find('.'));
  for (char& c : resource) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(instance_, Windows1252ToWide(resource).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  bitmaps_.push_back(bitmap);
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(bitmap));
}

void Win32Window::MeasureListRows(HWND hwnd, const ControlSpec& spec) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, FontOf(spec));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  listRowHeight_ = metrics.tmHeight;
  listCharWidth_ = metrics.tmAveCharWidth;
  SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, listRowHeight_);
}

void Win32Window::AddTooltip(HWND hwnd, const ControlSpec& spec) {
  tooltipTexts_.push_back(Windows1252ToWide(spec.tooltip));
  NativeWindow::AddTooltip(tooltips_, hwnd_, hwnd, tooltipTexts_.back().data());
}

ControlId Win32Window::IdOf(HWND hwnd) const {
  for (HWND h = hwnd; h && h != hwnd_; h = GetParent(h)) {
    const auto found = std::find(controls_.begin(), controls_.end(), h);
    if (found != controls_.end()) return static_cast<ControlId>(found - controls_.begin());
  }
  return kControlCount;
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam) - kFirstControlId;
      if (id >= 0 && id < kControlCount && !syncing_) Command(static_cast<ControlId>(id), HIWORD(wParam));
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return ColourOf(IdOf(reinterpret_cast<HWND>(lParam)), reinterpret_cast<HDC>(wParam));
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(listRowHeight_);
      return TRUE;
    case WM_DRAWITEM:
      DrawListRow(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:  // the title bar's close box: the program ends, nothing else runs
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT Win32Window::ColourOf(ControlId id, HDC dc) {
  COLORREF background = GetSysColor(COLOR_WINDOW);
  if (id != kControlCount) {
    const ControlSpec& spec = SpecOf(id);
    if (spec.background)
      background = ToColorRef(*spec.background);
    else if (spec.kind == ControlKind::kButton)
      background = GetSysColor(COLOR_BTNFACE);
  } else {
    background = ToColorRef(kFormBackground);
  }
  SetBkColor(dc, background);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  HBRUSH& brush = brushes_[background];
  if (!brush) brush = CreateSolidBrush(background);
  return reinterpret_cast<LRESULT>(brush);
}

void Win32Window::Command(ControlId id, int notification) {
  const ControlSpec& spec = SpecOf(id);
  switch (spec.kind) {  // every kind: a new one does not compile until its notifications are mapped
    case ControlKind::kTextBox:
      if (notification == EN_CHANGE && spec.Raises(kChangeEvent)) ForwardEdit(id, control(id));
      break;
    case ControlKind::kComboBox:
      if (!spec.Raises(kChangeEvent)) break;
      if (notification == CBN_EDITCHANGE) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(control(id), &info)) ForwardEdit(id, info.hwndItem);
      } else if (notification == CBN_SELCHANGE) {
        const LRESULT index = SendMessageW(control(id), CB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<std::size_t>(index) < model_[id].rows().size()) {
          std::string item = model_[id].rows()[static_cast<std::size_t>(index)];
          Dispatch([&] { OnUserEdit(model_, id, item, static_cast<int>(item.size())); });
        }
      }
      break;
    case ControlKind::kButton:
    case ControlKind::kOptionButton:
    case ControlKind::kPictureBox:  // PictureProc reports its clicks as a button does
      if (notification == BN_CLICKED && spec.Raises(kClickEvent)) Dispatch([&] { OnClick(model_, id); });
      break;
    case ControlKind::kListBox:  // its picks come from its own mouse and key messages
    case ControlKind::kFrame:    // raises nothing
    // The tree window's kinds, of which this window has none.
    case ControlKind::kLabel: case ControlKind::kText: case ControlKind::kNotes: case ControlKind::kDropDownList:
    case ControlKind::kTable: case ControlKind::kChoiceList: case ControlKind::kProgress: case ControlKind::kCheckBox: case ControlKind::kMap:
      break;
  }
}

void Win32Window::ForwardEdit(ControlId id, HWND edit) {
  const std::wstring text = WindowText(edit);
  const auto converted = WideToWindows1252(text);
  if (!converted) {
    // A character that Windows-1252 cannot hold is not taken: the field shows the model again.
    MessageBeep(MB_OK);
    shown_[static_cast<std::size_t>(id)].text.reset();
    Sync();
    return;
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  shown_[static_cast<std::size_t>(id)].text = *converted;
  Dispatch([&] { OnUserEdit(model_, id, *converted, static_cast<int>(end)); });
}

void Win32Window::PickRow(int row, PickedBy by) {
  if (row < 0 || static_cast<std::size_t>(row) >= model_[List1].rows().size()) return;
  Dispatch([&] { OnListPick(model_, row, by); });
}

void Win32Window::MoveInList(WPARAM key) {
  HWND list = control(List1);
  const int rows = static_cast<int>(model_[List1].rows().size());
  if (rows == 0) return;
  const int current = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  RECT client{};
  GetClientRect(list, &client);
  const int page = std::max(1, static_cast<int>(client.bottom / std::max(1, listRowHeight_)) - 1);
  int target = current;
  switch (key) {
    case VK_UP: target = current < 0 ? 0 : current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current < 0 ? 0 : current - page; break;
    case VK_NEXT: target = current < 0 ? 0 : current + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = rows - 1; break;
    default: return;
  }
  target = std::clamp(target, 0, rows - 1);
  if (target == current) return;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(target), 0);
  PickRow(target, PickedBy::kKeyboard);
}

LRESULT CALLBACK Win32Window::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self) {
  return reinterpret_cast<Win32Window*>(self)->HandleControl(static_cast<ControlId>(id), hwnd,
                                                             message, wParam, lParam);
}

LRESULT Win32Window::HandleControl(ControlId id, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const ControlSpec& spec = SpecOf(id);
  if (spec.Raises(kEnterEvent)) {
    // Enter is handled; the field inserts nothing for it and does not beep.
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
      Dispatch([&] { OnEnter(model_, id); });
      return 0;
    }
    if (message == WM_CHAR && wParam == L'\r') return 0;
  }
  if (spec.kind == ControlKind::kTextBox && spec.Raises(kClickEvent) && message == WM_LBUTTONUP) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    Dispatch([&] { OnClick(model_, id); });
    return result;
  }
  if (spec.kind == ControlKind::kListBox && spec.Raises(kPickEvent)) {
    // A pick is a click on a row, or a move by the keyboard; the focus coming in is none.
    if (message == WM_LBUTTONDOWN) {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      const LRESULT at = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(at) == 0) PickRow(LOWORD(at), PickedBy::kMouse);
      return result;
    }
    if (message == WM_KEYDOWN && IsNavigationKey(wParam)) {
      MoveInList(wParam);
      return 0;
    }
  }
  if (message == WM_CHAR && wParam == L'\t') return 0;  // Tab moves the focus, nothing else
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT client;
      GetClientRect(hwnd, &client);
      // The picture unscaled from its top-left corner, clipped to the box, in a sunken border.
      DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      if (auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, 0))) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        BitBlt(dc, client.left, client.top, std::min<LONG>(info.bmWidth, client.right - client.left),
               std::min<LONG>(info.bmHeight, client.bottom - client.top), memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
      }
      if (GetFocus() == hwnd) DrawFocusRect(dc, &client);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      return 0;
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
      // A picture is clicked with the mouse, or with Enter or Space while it has the focus.
      if (message == WM_LBUTTONUP || wParam == VK_RETURN || wParam == VK_SPACE)
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

bool Win32Window::PreTranslate(const MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
    const bool back = GetKeyState(VK_SHIFT) < 0;
    const ControlId target = NextTabStop(model_, IdOf(GetFocus()), !back);
    if (target == kControlCount) return true;
    HWND to = control(target);
    SetFocus(to);
    if (SpecOf(target).kind == ControlKind::kTextBox) SendMessageW(to, EM_SETSEL, 0, -1);
    return true;
  }
  if (msg.message == WM_SYSCHAR) {
    // Alt and the underlined letter of a button's caption press that button.
    const auto letter = static_cast<char>(std::tolower(static_cast<int>(msg.wParam & 0xFF)));
    for (const ControlSpec& spec : ControlTable()) {
      if (spec.kind != ControlKind::kButton || !model_[spec.id].visible()) continue;
      const auto amp = spec.caption.find('&');
      if (amp == std::string::npos || amp + 1 >= spec.caption.size()) continue;
      if (ToLower1252(spec.caption[amp + 1]) != ToLower1252(letter)) continue;
      Dispatch([&] { OnClick(model_, spec.id); });
      return true;
    }
  }
  return false;
}

void Win32Window::NoteFocus() {
  if (syncing_ || !hwnd_) return;
  const ControlId id = IdOf(GetFocus());
  if (id == kControlCount || id == shownFocus_) return;
  OnFocus(model_, id);
  shownFocus_ = id;
}

void Win32Window::DrawListRow(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != static_cast<UINT>(kFirstControlId + List1)) return;
  const bool selected = item.itemState & ODS_SELECTED;
  SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const auto& rows = model_[List1].rows();
  std::wstring text;
  if (item.itemID < rows.size()) text = Windows1252ToWide(rows[item.itemID]);
  ExtTextOutW(item.hDC, item.rcItem.left + 2, item.rcItem.top, ETO_OPAQUE, &item.rcItem, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void Win32Window::Dispatch(const std::function<void()>& event) {
  // The control's own handling of this message may have moved the focus (a list takes it on
  // a click): the model hears of it first, so that where the handler puts it is shown.
  NoteFocus();
  event();
  Sync();
}

void Win32Window::Sync() {
  if (!hwnd_) return;
  syncing_ = true;
  if (model_.height != shownHeight_) {
    // The client area as designed; the frame around it as the system draws it.
    RECT rect{0, 0, Px(kClientWidth), Px(ClientHeightTwips(model_.height))};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    shownHeight_ = model_.height;
  }
  for (int i = 0; i < kControlCount; ++i) SyncControl(static_cast<ControlId>(i));
  if (model_.focus != shownFocus_ && IsWindowVisible(hwnd_)) {
    SetFocus(control(model_.focus));
    shownFocus_ = model_.focus;
  }
  syncing_ = false;
}

void Win32Window::SyncControl(ControlId id) {
  const Control& c = model_[id];
  const ControlSpec& spec = SpecOf(id);
  Shown& shown = shown_[static_cast<std::size_t>(id)];
  HWND hwnd = control(id);
  if (shown.visible != static_cast<int>(c.visible())) {
    ShowWindow(hwnd, c.visible() ? SW_SHOWNA : SW_HIDE);
    shown.visible = c.visible();
  }
  if (shown.width != c.width()) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    SetWindowPos(hwnd, nullptr, 0, 0, Px(c.width()), rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    shown.width = c.width();
  }
  switch (spec.kind) {
    case ControlKind::kTextBox: {
      const bool textChanged = shown.text != c.text();
      if (textChanged) {
        SetWindowTextW(hwnd, Windows1252ToWide(c.text()).c_str());
        shown.text = c.text();
      }
      if (textChanged || shown.selRevision != c.selRevision()) {
        SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(c.selStart()),
                     static_cast<LPARAM>(c.selStart() + c.selLength()));
        shown.selRevision = c.selRevision();
      }
      break;
    }
    case ControlKind::kComboBox:
      if (shown.rowsRevision != c.rowsRevision()) {
        SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::string& row : c.rows())
          SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Windows1252ToWide(row).c_str()));
        shown.rowsRevision = c.rowsRevision();
      }
      if (shown.text != model_.ShownText(id)) {
        SetWindowTextW(hwnd, Windows1252ToWide(model_.ShownText(id)).c_str());
        shown.text = model_.ShownText(id);
      }
      break;
    case ControlKind::kOptionButton:
      if (shown.selected != static_cast<int>(c.selected())) {
        SendMessageW(hwnd, BM_SETCHECK, c.selected() ? BST_CHECKED : BST_UNCHECKED, 0);
        shown.selected = c.selected();
      }
      break;
    case ControlKind::kListBox:
      if (shown.rowsRevision != c.rowsRevision()) {
        SendMessageW(hwnd, LB_SETCOUNT, c.rows().size(), 0);
        // Scrolled sideways only when a row is wider than the list (the font is fixed-pitch).
        std::size_t longest = 0;
        for (const std::string& row : c.rows()) longest = std::max(longest, row.size());
        SendMessageW(hwnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(longest) * static_cast<WPARAM>(listCharWidth_) + 4, 0);
        InvalidateRect(hwnd, nullptr, TRUE);
        shown.rowsRevision = c.rowsRevision();
        shown.listIndex = -2;
      }
      if (shown.listIndex != c.current()) {
        SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.current()), 0);
        shown.listIndex = c.current();
      }
      break;
    default:
      break;
  }
}

}  // namespace veldaris
