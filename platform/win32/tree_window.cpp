#include "platform/win32/tree_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "core/text1252.h"
#include "platform/win32/map_painter.h"
#include "stammbaum/tree_events.h"

namespace veldaris {
namespace {


constexpr wchar_t kWindowClass[] = L"VeldarisStammbaum";
constexpr wchar_t kMapClass[] = L"VeldarisKarte";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_ACCEPTFILES | WS_EX_CONTROLPARENT;
constexpr UINT_PTR kTicker = 1;
constexpr int kFirstControl = 100;

std::wstring Wide(std::string_view utf8) { return Utf8ToWide(utf8); }

// What a screen reader says of a control besides its name (its accessible description), where
// the system offers the service (wine has none): whether it took it.
bool Describe(HWND hwnd, const std::wstring& text) {
  static IAccPropServices* const services = [] {
    IAccPropServices* found = nullptr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&found))))
      found = nullptr;
    return found;
  }();
  return services && SUCCEEDED(services->SetHwndPropStr(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                                        static_cast<DWORD>(CHILDID_SELF), PROPID_ACC_DESCRIPTION,
                                                        text.c_str()));
}

}  // namespace

Win32TreeWindow::Win32TreeWindow(std::filesystem::path dataFile, HINSTANCE instance)
    : model_(platform_, std::move(dataFile)), instance_(instance) {
  platform_.SetBeforeModal([this] { Sync(); });
}

Win32TreeWindow::~Win32TreeWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
  if (mapDc_) DeleteDC(mapDc_);
  if (mapBitmap_) DeleteObject(mapBitmap_);
}

void Win32TreeWindow::Load(const std::optional<std::filesystem::path>& tree) {
  Build();
  Dispatch([&] { tree::OnLoad(model_, tree); });
}

void Win32TreeWindow::Show(int showCommand) {
  // A window closed maximised opens maximised, unless the start asks for it minimised.
  const bool asked = showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_MINIMIZE;
  ShowWindow(hwnd_, maximized_ && !asked ? SW_SHOWMAXIMIZED : showCommand);
  UpdateWindow(hwnd_);
  SetFocus(control(tree::OpenButton));
  Sync();
}

// Alt and a letter: the control whose caption has it after "&": a button is pressed, a check
// box switched, a caption gives the focus to the control after it that can take it.
bool Win32TreeWindow::AccessKey(wchar_t letter) {
  const auto upper = [](wchar_t c) { return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(CharUpperW(
                                        reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(c))))); };
  for (const tree::ControlSpec& spec : tree::ControlTable()) {
    const std::wstring caption = Wide(spec.caption);
    const std::size_t at = caption.find(L'&');
    if (at == std::wstring::npos || at + 1 >= caption.size() || upper(caption[at + 1]) != upper(letter)) continue;
    HWND hwnd = control(spec.id);
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) continue;
    if (spec.kind == ControlKind::kButton || spec.kind == ControlKind::kCheckBox) {
      SetFocus(hwnd);
      Dispatch([&] { tree::OnClick(model_, spec.id); });
      return true;
    }
    for (int next = spec.id + 1; next < tree::kControlCount; ++next) {
      HWND target = control(static_cast<tree::ControlId>(next));
      if (tree::SpecOf(static_cast<tree::ControlId>(next)).tabStop && IsWindowVisible(target) && IsWindowEnabled(target)) {
        SetFocus(target);
        return true;
      }
    }
  }
  return false;
}

void Win32TreeWindow::Process(MSG& msg) {
  if (msg.message == WM_SYSCHAR && hwnd_ && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)) &&
      AccessKey(static_cast<wchar_t>(msg.wParam))) {
  } else if (!hwnd_ || !IsDialogMessageW(hwnd_, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  const tree::ControlId focused = IdOf(GetFocus());
  if (focused != tree::kControlCount && focused != model_.focus) tree::OnFocus(model_, focused);
}

void Win32TreeWindow::Build() {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&common);
  WNDCLASSEXW window{};
  window.cbSize = sizeof window;
  window.lpfnWndProc = WindowProc;
  window.hInstance = instance_;
  window.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  window.hIconSm = window.hIcon;
  window.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window.lpszClassName = kWindowClass;
  RegisterClassExW(&window);
  WNDCLASSEXW map{};
  map.cbSize = sizeof map;
  map.lpfnWndProc = MapProc;
  map.hInstance = instance_;
  map.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // the hand
  map.lpszClassName = kMapClass;
  RegisterClassExW(&map);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  const RECT frame = Frame(tree::kClientWidth, tree::kClientHeight);
  hwnd_ = CreateWindowExW(kExStyle, kWindowClass, Wide(tree::WindowCaption()).c_str(), kStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                          instance_, static_cast<NativeWindow*>(this));
  platform_.SetOwner(hwnd_);
  DragAcceptFiles(hwnd_, TRUE);
  tips_ = MakeTooltips(TTS_NOPREFIX);
  // In the table's order, which is the keyboard order; a caption comes right before the
  // control it names, which is how a screen reader finds the name of a list.
  for (const tree::ControlSpec& spec : tree::ControlTable()) controls_[static_cast<std::size_t>(spec.id)] = Create(spec);
  RestorePlacement();
  Layout();
}

RECT Win32TreeWindow::Frame(int width, int height) const {
  RECT frame{0, 0, Px(width), Px(height)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  return frame;
}

// A drop-down list's window holds the list it drops.
int Win32TreeWindow::NativeHeight(const tree::ControlSpec& spec, int height) const {
  return Px(height + (spec.kind == ControlKind::kDropDownList ? 240 * 15 : 0));
}

void Win32TreeWindow::Layout() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = MulDiv(client.right, 1440, dpi_), height = MulDiv(client.bottom, 1440, dpi_);
  HDWP moves = BeginDeferWindowPos(tree::kControlCount);
  for (const tree::ControlSpec& spec : tree::ControlTable()) {
    const Placement p = PlacementOf(spec, tree::kClientWidth, tree::kClientHeight, width, height);
    if (moves)
      moves = DeferWindowPos(moves, control(spec.id), nullptr, Px(p.left), Px(p.top), Px(p.width),
                             NativeHeight(spec, p.height), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (moves) EndDeferWindowPos(moves);
  // The last column of the list takes the width the others leave.
  ListView_SetColumnWidth(control(tree::PlaceList), static_cast<int>(tree::PlaceColumns().size()) - 1,
                          LVSCW_AUTOSIZE_USEHEADER);
}

// Where the window's size and place are kept between starts: the user's registry, or the
// tests' key.
std::wstring Win32TreeWindow::SettingsKey() {
  return TestHooks().settings.empty() ? std::wstring(L"Software\\Veldaris") : TestHooks().settings;
}

void Win32TreeWindow::RestorePlacement() {
  WINDOWPLACEMENT placement{};
  DWORD size = sizeof placement;
  if (RegGetValueW(HKEY_CURRENT_USER, SettingsKey().c_str(), L"Stammbaum-Fenster", RRF_RT_REG_BINARY, nullptr,
                   &placement, &size) != ERROR_SUCCESS ||
      size != sizeof placement || placement.length != sizeof placement)
    return;
  maximized_ = placement.showCmd == SW_SHOWMAXIMIZED;
  placement.showCmd = SW_HIDE;  // shown by Show
  placement.flags = 0;
  SetWindowPlacement(hwnd_, &placement);
}

void Win32TreeWindow::SavePlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(hwnd_, &placement)) return;
  RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey().c_str(), L"Stammbaum-Fenster", REG_BINARY, &placement,
                  sizeof placement);
}

HWND Win32TreeWindow::Create(const tree::ControlSpec& spec) {
  const wchar_t* cls = WC_BUTTONW;
  DWORD style = WS_CHILD | WS_VISIBLE | (spec.tabStop ? WS_TABSTOP : 0);
  DWORD ex = 0;
  switch (spec.kind) {
    case ControlKind::kButton: style |= BS_PUSHBUTTON; break;
    case ControlKind::kLabel: cls = WC_STATICW, style |= SS_LEFT; break;
    case ControlKind::kText: cls = WC_EDITW, style |= ES_AUTOHSCROLL | ES_READONLY, ex = WS_EX_CLIENTEDGE; break;
    case ControlKind::kNotes:
      cls = WC_EDITW, style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, ex = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kDropDownList: cls = WC_COMBOBOXW, style |= CBS_DROPDOWNLIST | WS_VSCROLL; break;
    case ControlKind::kTable:
      cls = WC_LISTVIEWW, style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, ex = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kChoiceList:
      cls = WC_LISTBOXW, style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, ex = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kProgress: cls = PROGRESS_CLASSW, style |= PBS_SMOOTH; break;
    case ControlKind::kCheckBox: style |= BS_AUTOCHECKBOX; break;
    case ControlKind::kMap: cls = kMapClass, ex = WS_EX_CLIENTEDGE; break;
    // The main window's kinds, of which this window has none.
    case ControlKind::kTextBox: case ControlKind::kComboBox: case ControlKind::kFrame: case ControlKind::kOptionButton:
    case ControlKind::kPictureBox: case ControlKind::kListBox: break;
  }
  const bool named = spec.kind == ControlKind::kButton || spec.kind == ControlKind::kLabel || spec.kind == ControlKind::kCheckBox;
  HWND hwnd = CreateWindowExW(ex, cls, named ? Wide(spec.caption).c_str() : L"", style, Px(spec.left), Px(spec.top),
                              Px(spec.width), NativeHeight(spec, spec.height), hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControl + spec.id)), instance_,
                              spec.kind == ControlKind::kMap ? this : nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (spec.kind == ControlKind::kTable) {
    ListView_SetExtendedListViewStyle(hwnd, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const int widths[] = {235, 55, 112, 360};
    int column = 0;
    for (const std::string& heading : tree::PlaceColumns()) {
      std::wstring text = Wide(heading);
      LVCOLUMNW lvc{};
      lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
      lvc.fmt = column == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
      lvc.cx = Px(widths[column] * 15);
      lvc.pszText = text.data();
      lvc.iSubItem = column;
      SendMessageW(hwnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc));
      ++column;
    }
  }
  if (spec.kind == ControlKind::kChoiceList) SetWindowSubclass(hwnd, CandidateProc, 1, reinterpret_cast<DWORD_PTR>(this));
  if (spec.kind == ControlKind::kNotes) SetWindowSubclass(hwnd, NotesProc, 2, 0);
  if (spec.kind == ControlKind::kTable || spec.kind == ControlKind::kChoiceList || spec.kind == ControlKind::kProgress ||
      spec.kind == ControlKind::kMap)
    SetWindowTextW(hwnd, Wide(spec.accessibleName).c_str());  // the name a screen reader gives it
  if (!spec.tooltip.empty()) {
    tipTexts_.push_back(Wide(spec.tooltip));
    described_ = Describe(hwnd, tipTexts_.back());
    // The map's tooltip is the dot under the pointer (below); the others show the description.
    if (spec.kind != ControlKind::kMap) AddTooltip(tips_, hwnd_, hwnd, tipTexts_.back().data());
  }
  if (spec.kind == ControlKind::kMap) {
    // The dot under the pointer, asked for when the tooltip shows (TTN_GETDISPINFOW).
    mapTip_ = MakeTooltips(TTS_NOPREFIX);
    AddTooltip(mapTip_, hwnd, hwnd, LPSTR_TEXTCALLBACKW);
  }
  return hwnd;
}

LRESULT CALLBACK Win32TreeWindow::MapProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<Win32TreeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->HandleMap(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32TreeWindow::HandleMap(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto at = [&] { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; };
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND: return 1;  // the back buffer covers it all
    case WM_PAINT: PaintMapControl(hwnd); return 0;
    case WM_SIZE: {
      const int width = LOWORD(lParam), height = HIWORD(lParam);
      if (width <= 0 || height <= 0) return 0;
      // While the window is built, the controls after the map are not there to be shown yet.
      if (controls_.back()) Dispatch([&] { tree::OnMapSize(model_, width, height); });
      else tree::OnMapSize(model_, width, height);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_KEYDOWN: {
      std::optional<tree::MapKey> key;
      switch (wParam) {
        case VK_ADD: case VK_OEM_PLUS: key = tree::MapKey::kZoomIn; break;
        case VK_SUBTRACT: case VK_OEM_MINUS: key = tree::MapKey::kZoomOut; break;
        case VK_LEFT: key = tree::MapKey::kLeft; break;
        case VK_RIGHT: key = tree::MapKey::kRight; break;
        case VK_UP: key = tree::MapKey::kUp; break;
        case VK_DOWN: key = tree::MapKey::kDown; break;
        case VK_HOME: key = tree::MapKey::kAll; break;
        default: break;
      }
      if (!key) break;
      Dispatch([&] { tree::OnMapKey(model_, *key); });
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      SetCapture(hwnd);
      pressed_ = last_ = at();
      pressing_ = true;
      dragging_ = false;
      return 0;
    case WM_MOUSEMOVE: {
      const POINT now = at();
      if (pressing_ && (wParam & MK_LBUTTON)) {
        // A few pixels are a shaky click, not a drag.
        if (!dragging_ && std::abs(now.x - pressed_.x) + std::abs(now.y - pressed_.y) > 3) dragging_ = true;
        if (dragging_) {
          const POINT from = last_;
          last_ = now;
          Dispatch([&] { tree::OnMapDrag(model_, now.x - from.x, now.y - from.y); });
        }
        return 0;
      }
      std::wstring tip = Utf8ToWide(tree::MapTip(model_, now.x, now.y));
      if (tip != tip_) {
        tip_ = std::move(tip);
        SendMessageW(mapTip_, TTM_POP, 0, 0);
        SendMessageW(mapTip_, TTM_UPDATE, 0, 0);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!pressing_) return 0;
      pressing_ = false;
      ReleaseCapture();
      const POINT now = at();
      if (!dragging_) Dispatch([&] { tree::OnMapClick(model_, now.x, now.y); });
      dragging_ = false;
      return 0;
    }
    case WM_CAPTURECHANGED: pressing_ = dragging_ = false; return 0;
    case WM_MOUSEWHEEL: {
      POINT now{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ScreenToClient(hwnd, &now);
      const double notches = GET_WHEEL_DELTA_WPARAM(wParam) / static_cast<double>(WHEEL_DELTA);
      Dispatch([&] { tree::OnMapWheel(model_, now.x, now.y, notches); });
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == mapTip_ && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        info->lpszText = tip_.data();
        return 0;
      }
      break;
    }
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Drawn into the back buffer, then copied whole onto the screen: no flicker.
void Win32TreeWindow::PaintMapControl(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(hwnd, &paint);
  RECT client{};
  GetClientRect(hwnd, &client);
  if (!mapDc_ || mapSize_.cx != client.right || mapSize_.cy != client.bottom) {
    if (mapBitmap_) DeleteObject(mapBitmap_);
    if (!mapDc_) mapDc_ = CreateCompatibleDC(screen);
    mapBitmap_ = CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    SelectObject(mapDc_, mapBitmap_);
    mapSize_ = {client.right, client.bottom};
  }
  PaintMap(mapDc_, model_.Scene(), font_, dpi_);
  if (GetFocus() == hwnd) {
    RECT inner = client;
    InflateRect(&inner, -2, -2);
    DrawFocusRect(mapDc_, &inner);
  }
  BitBlt(screen, 0, 0, client.right, client.bottom, mapDc_, 0, 0, SRCCOPY);
  EndPaint(hwnd, &paint);
}

COLORREF Win32TreeWindow::MapPixel(int x, int y) const {
  HWND map = control(tree::Map);
  InvalidateRect(map, nullptr, FALSE);
  UpdateWindow(map);
  return mapDc_ ? GetPixel(mapDc_, x, y) : CLR_INVALID;
}

// CandidateList: a click, Enter or Space chooses the row; the arrow keys only move.
LRESULT CALLBACK Win32TreeWindow::CandidateProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32TreeWindow*>(data);
  const auto choose = [&] {
    const int row = static_cast<int>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
    if (row >= 0) self->Dispatch([&] { tree::OnPick(self->model_, tree::CandidateList, row); });
  };
  switch (message) {
    case WM_GETDLGCODE: {
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      const LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
      return msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN ? code | DLGC_WANTMESSAGE : code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        choose();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L' ') return 0;
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      const LRESULT at = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
      if (!HIWORD(at)) choose();  // on a row, not below the last one
      return result;
    }
    default: break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ReasonText: read only, so Tab and Enter are the dialog's, not characters to insert.
LRESULT CALLBACK Win32TreeWindow::NotesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE)
    return DefSubclassProc(hwnd, message, wParam, lParam) & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT Win32TreeWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam) - kFirstControl;
      if (id < 0 || id >= tree::kControlCount || syncing_) break;
      const auto control = static_cast<tree::ControlId>(id);
      const tree::ControlSpec& spec = tree::SpecOf(control);
      if (HIWORD(wParam) == BN_CLICKED && spec.Raises(kClickEvent))
        Dispatch([&] { tree::OnClick(model_, control); });
      else if (HIWORD(wParam) == CBN_SELCHANGE && spec.Raises(kChangeEvent))
        Dispatch([&] {
          tree::OnChange(model_, control, static_cast<int>(SendMessageW(this->control(control), CB_GETCURSEL, 0, 0)));
        });
      return 0;
    }
    case WM_NOTIFY: return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
      if (wParam == kTicker) Dispatch([&] { tree::OnTick(model_); });
      return 0;
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(wParam);
      std::wstring file(32768, L'\0');
      const UINT length = DragQueryFileW(drop, 0, file.data(), static_cast<UINT>(file.size()));
      DragFinish(drop);
      if (length > 0) {
        file.resize(length);
        Dispatch([&] { tree::OnDrop(model_, std::filesystem::path(file)); });
      }
      return 0;
    }
    case WM_CLOSE: {
      // The close box and Alt+F4 end the program as "Beenden" does; the window's size and
      // place are kept for the next start.
      bool closing = false;
      Dispatch([&] { closing = tree::OnClose(model_); });
      if (closing) {
        SavePlacement();
        platform_.Quit();
      }
      return 0;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && controls_[0]) Layout();
      return 0;
    case WM_GETMINMAXINFO: {  // the design's size is the smallest
      const RECT frame = Frame(tree::kClientWidth, tree::kClientHeight);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return 0;
    }
    case WM_DESTROY: hwnd_ = nullptr; return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Win32TreeWindow::Notify(const NMHDR& header) {
  if (static_cast<int>(header.idFrom) != kFirstControl + tree::PlaceList) return 0;
  const tree::Control& places = model_[tree::PlaceList];
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
      if (!(info.item.mask & LVIF_TEXT) || info.item.iItem < 0 ||
          static_cast<std::size_t>(info.item.iItem) >= places.rows().size())
        return 0;
      cell_ = Wide(places.rows().Cell(static_cast<std::size_t>(info.item.iItem),
                                      static_cast<std::size_t>(std::max(0, info.item.iSubItem))));
      info.item.pszText = cell_.data();
      return 0;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (syncing_ || change.iItem < 0 || !(change.uNewState & LVIS_FOCUSED) || (change.uOldState & LVIS_FOCUSED))
        return 0;
      const int row = change.iItem;
      Dispatch([&] { tree::OnPick(model_, tree::PlaceList, row); });
      return 0;
    }
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
      Dispatch([&] { tree::OnSort(model_, column); });
      return 0;
    }
    default: return 0;
  }
}

void Win32TreeWindow::Dispatch(const std::function<void()>& event) {
  event();
  Sync();
  if (model_.Reading() && !ticking_) ticking_ = SetTimer(hwnd_, kTicker, 50, nullptr) != 0;
  if (!model_.Reading() && ticking_) {
    KillTimer(hwnd_, kTicker);
    ticking_ = false;
  }
}

void Win32TreeWindow::Sync() {
  if (!hwnd_) return;
  syncing_ = true;
  for (int i = 0; i < tree::kControlCount; ++i) SyncControl(static_cast<tree::ControlId>(i));
  if (shownMap_ != model_.mapRevision + 1) {
    InvalidateRect(control(tree::Map), nullptr, FALSE);
    shownMap_ = model_.mapRevision + 1;
  }
  // A control disabled or hidden while it had the focus leaves none: the next one takes it.
  if (!GetFocus() && GetActiveWindow() == hwnd_)
    if (HWND next = GetNextDlgTabItem(hwnd_, control(model_.focus), FALSE)) SetFocus(next);
  syncing_ = false;
}

void Win32TreeWindow::SyncControl(tree::ControlId id) {
  const tree::Control& c = model_[id];
  std::uint64_t& shown = shown_[static_cast<std::size_t>(id)];
  if (shown == c.revision() + 1) return;
  HWND hwnd = control(id);
  ShowWindow(hwnd, c.visible() ? SW_SHOWNA : SW_HIDE);
  EnableWindow(hwnd, c.enabled());
  switch (tree::SpecOf(id).kind) {
    case ControlKind::kButton:
    case ControlKind::kLabel: SetWindowTextW(hwnd, Wide(c.text()).c_str()); break;
    case ControlKind::kText:
    case ControlKind::kNotes: {
      const std::wstring text = WideLines(c.text());
      std::wstring before(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
      before.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, before.data(), static_cast<int>(before.size()))));
      if (before != text) SetWindowTextW(hwnd, text.c_str());
      break;
    }
    case ControlKind::kDropDownList:
      if (SendMessageW(hwnd, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(c.rows().size())) {
        SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::string& row : c.rows())
          SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
      }
      SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.current()), 0);
      break;
    case ControlKind::kTable: {
      if (shownRows_[static_cast<std::size_t>(id)] != c.rowsRevision() + 1) {
        ListView_SetItemState(hwnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemCountEx(hwnd, static_cast<int>(c.rows().size()), 0);
        shownRows_[static_cast<std::size_t>(id)] = c.rowsRevision() + 1;
      }
      if (c.current() >= 0) {
        ListView_SetItemState(hwnd, c.current(), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(hwnd, c.current(), FALSE);
      } else {
        ListView_SetItemState(hwnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    }
    case ControlKind::kChoiceList:
      if (shownRows_[static_cast<std::size_t>(id)] != c.rowsRevision() + 1) {
        SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
        for (const std::string& row : c.rows())
          SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
        shownRows_[static_cast<std::size_t>(id)] = c.rowsRevision() + 1;
      }
      SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.current()), 0);
      break;
    case ControlKind::kProgress:
      SendMessageW(hwnd, PBM_SETPOS, static_cast<WPARAM>(c.progress()), 0);
      SetWindowTextW(hwnd, Wide(c.text()).c_str());
      break;
    case ControlKind::kCheckBox:
      SetWindowTextW(hwnd, Wide(c.text()).c_str());
      SendMessageW(hwnd, BM_SETCHECK, c.selected() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::kMap: break;  // drawn when the model's map changes (Sync)
    // The main window's kinds, of which this window has none.
    case ControlKind::kTextBox: case ControlKind::kComboBox: case ControlKind::kFrame: case ControlKind::kOptionButton:
    case ControlKind::kPictureBox: case ControlKind::kListBox: break;
  }
  shown = c.revision() + 1;
}

tree::ControlId Win32TreeWindow::IdOf(HWND hwnd) const {
  for (HWND at = hwnd; at && at != hwnd_; at = GetParent(at))
    for (int i = 0; i < tree::kControlCount; ++i)
      if (controls_[static_cast<std::size_t>(i)] == at) return static_cast<tree::ControlId>(i);
  return tree::kControlCount;
}

}  // namespace veldaris
