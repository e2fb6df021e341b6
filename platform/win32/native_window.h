// A top-level window of the program in Win32: the window procedure that hands each of its
// messages to the object that made it, for both windows.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace veldaris {

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  HWND handle() const { return hwnd_; }
  // Pixels for twips on this screen.
  int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }
  // The message loop, until the program ends; returns its exit code.
  int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) Process(msg);
    if (hwnd_) {
      DestroyWindow(hwnd_);
      hwnd_ = nullptr;
    }
    return 0;
  }
  // One message of the loop: the keys the window handles itself (Tab, Shift+Tab, Alt with an
  // access key), then the message, then a look at where the user moved the focus.
  virtual void Process(MSG& msg) = 0;

 protected:
  NativeWindow() {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  // The window procedure of a window class whose windows are created with the object as
  // their creation parameter.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
  }
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // A tooltip window of this window, its tips up to 400 pixels wide at 96 dots per inch.
  HWND MakeTooltips(DWORD style) const {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | style,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, Px(6000));
    return tips;
  }
  // A control's tip in it: a fixed text, which must stay where it is, or LPSTR_TEXTCALLBACKW,
  // asked of `asked` with TTN_GETDISPINFOW each time it shows.
  static void AddTooltip(HWND tips, HWND asked, HWND control, wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = asked;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  HWND hwnd_ = nullptr;
  int dpi_ = 96;  // of the screen
};

}  // namespace veldaris
