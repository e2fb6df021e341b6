// The user's scenarios (tests/scenarios/) on the real Win32 window under wine: the keys and
// the mouse as messages posted to the controls' own windows and taken through the window's
// message loop, readings from the controls. Besides them, what only Windows has: the
// window's frame, and a clipboard that another program keeps busy.
//   veldaris_win32_scenarios.exe [--gtest_filter=Scenarios/Win32Scenario.Run/NAME]
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

#include "core/os.h"
#include "core/text1252.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"
#include "tests/scenarios/scenario.h"
#include "tests/test_support.h"

namespace veldaris {
namespace {

using scenario::Key;

std::string From(const std::wstring& text) { return WideToWindows1252(text).value_or("(not Windows-1252)"); }

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

LPARAM KeyData(UINT key, bool up) {
  LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  if (up) data |= static_cast<LPARAM>(0xC0000000u);
  return data;
}

// A crash ends the run at once with where it happened, instead of waiting for a debugger:
// each frame as its module and the offset into it (addr2line -e MODULE OFFSET names it).
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "crash: exception 0x%08lx at %p\n", info->ExceptionRecord->ExceptionCode,
               info->ExceptionRecord->ExceptionAddress);
  void* frames[48];
  const USHORT count = CaptureStackBackTrace(0, 48, frames, nullptr);
  for (USHORT i = 0; i < count; ++i) {
    HMODULE module = nullptr;
    wchar_t name[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(frames[i]), &module))
      GetModuleFileNameW(module, name, MAX_PATH);
    std::fprintf(stderr, "  %ls +0x%llx\n", name,
                 static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(frames[i]) -
                                                 reinterpret_cast<std::uintptr_t>(module)));
  }
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}
// Set at start-up; the filter it replaces (wine's call for a debugger) is not wanted back.
[[maybe_unused]] const LPTOP_LEVEL_EXCEPTION_FILTER kReplacedCrashFilter = SetUnhandledExceptionFilter(ReportCrash);

class Win32Driver : public scenario::Driver {
 public:
  Win32Driver() {
    TestHooks().message = [this](const std::wstring& title, const std::wstring& text) {
      std::wstring raw;
      for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\n' && i > 0 && text[i - 1] == L'\r')) raw.push_back(text[i]);
      messages_.push_back({From(title), From(raw)});
    };
    window_ = std::make_unique<Win32Window>(dir_.path(), GetModuleHandleW(nullptr));
    window_->Load();
    window_->Show(SW_SHOWNORMAL);
    SetForegroundWindow(window_->handle());
    Pump();
  }
  ~Win32Driver() override {
    window_.reset();
    TestHooks() = {};
  }

  // Runs the window's loop until no message is waiting, for two seconds at the most: a
  // window that keeps posting to itself fails the readings that follow instead of hanging.
  void Pump() {
    const ULONGLONG start = GetTickCount64();
    for (int round = 0; round < 3; ++round) {
      MSG msg;
      while (GetTickCount64() - start < 2000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          quit_ = true;
          continue;
        }
        window_->Process(msg);
      }
      Sleep(2);
    }
  }
  HWND Handle() { return window_->handle(); }
  HWND Control(ControlId id) { return window_->control(id); }
  HWND EditOf(ControlId id) {
    if (SpecOf(id).kind != ControlKind::kComboBox) return Control(id);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Control(id), &info);
    return info.hwndItem;
  }
  void PostKey(HWND to, UINT key) {
    PostMessageW(to, WM_KEYDOWN, key, KeyData(key, false));
    PostMessageW(to, WM_KEYUP, key, KeyData(key, true));
    Pump();
  }
  void PostClick(HWND to, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(to, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(to, WM_LBUTTONUP, 0, where);
    Pump();
  }

  std::string Shown(ControlId id) override { return From(WindowText(Control(id))); }
  bool ShownVisible(ControlId id) override {
    return (GetWindowLongPtrW(Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  bool ShownChecked(ControlId id) override {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  int ShownRowCount(ControlId id) override {
    const bool combo = SpecOf(id).kind == ControlKind::kComboBox;
    return static_cast<int>(SendMessageW(Control(id), combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  }
  int ShownCurrentRow() override { return static_cast<int>(SendMessageW(Control(List1), LB_GETCURSEL, 0, 0)); }
  int ShownWidthPx(ControlId id) override {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    return rect.right - rect.left;
  }
  std::pair<int, int> ShownSelection(ControlId id) override {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(EditOf(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end - start)};
  }
  ControlId ShownFocus() override {
    for (HWND h = GetFocus(); h; h = GetParent(h))
      for (int i = 0; i < kControlCount; ++i)
        if (h == Control(static_cast<ControlId>(i))) return static_cast<ControlId>(i);
    return kControlCount;
  }
  std::string ShownCaption() override { return From(WindowText(window_->handle())); }
  int ShownClientHeightPx() override {
    RECT client{};
    GetClientRect(window_->handle(), &client);
    return client.bottom;
  }
  int Px(int twips) override { return window_->Px(twips); }

  std::string Clipboard() override {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return "(the clipboard is busy)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = locked;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return From(text);
  }
  // Text another program put there: written as the window writes it, so a failure throws.
  void SetClipboard(const std::string& text) override {
    Win32Platform other;
    other.SetOwner(window_->handle());
    other.SetClipboardText(text);
  }
  Window& Model() override { return window_->model(); }

 protected:
  void Idle() override {
    Pump();
    Sleep(4);
  }
  void DoType(ControlId id, std::string_view text) override {
    HWND edit = EditOf(id);
    SetFocus(edit);
    Pump();
    for (wchar_t c : Windows1252ToWide(std::string(text))) PostMessageW(edit, WM_CHAR, c, 1);
    Pump();
  }
  void DoPress(Key key) override {
    static const UINT keys[] = {VK_RETURN, VK_TAB,  VK_TAB,  VK_SPACE, VK_UP,     VK_DOWN,
                                VK_PRIOR,  VK_NEXT, VK_HOME, VK_END,   VK_DELETE, VK_BACK};
    BYTE state[256];
    GetKeyboardState(state);
    if (key == Key::kBackTab) {  // Shift held while Tab goes down
      BYTE shifted[256];
      std::memcpy(shifted, state, sizeof shifted);
      shifted[VK_SHIFT] = 0x80;
      SetKeyboardState(shifted);
    }
    PostKey(GetFocus(), keys[static_cast<int>(key)]);
    SetKeyboardState(state);
  }
  void DoAlt(char letter) override {
    PostMessageW(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
    Pump();
  }
  void DoClick(ControlId id) override {
    RECT client{};
    GetClientRect(Control(id), &client);
    PostClick(Control(id), {client.right / 2, client.bottom / 2});
  }
  void DoClickRow(int row) override {
    RECT rect{};
    SendMessageW(Control(List1), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    PostClick(Control(List1), {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  }
  void DoChoose(ControlId id, int index) override {
    // F4 drops the list down; a click picks the item.
    SetFocus(EditOf(id));
    PostKey(EditOf(id), VK_F4);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Control(id), &info);
    RECT rect{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    PostClick(info.hwndList, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  }

 private:
  std::unique_ptr<Win32Window> window_;
};

class Win32Scenario : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Win32Scenario, Run) {
  Win32Driver driver;
  scenario::Checks checks;
  scenario::Run(scenario::Scenarios()[GetParam()], driver, checks);
  for (const std::string& failure : checks.failures()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Win32Scenario, ::testing::Range<std::size_t>(0, scenario::Scenarios().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& param) {
                           return std::string(scenario::Scenarios()[param.param].name);
                         });

TEST(Win32Window, HasAFixedFrameWithACloseBoxOnly) {
  Win32Driver driver;
  RECT client{};
  GetClientRect(driver.Handle(), &client);
  EXPECT_EQ(client.right, driver.Px(7830));
  const LONG_PTR style = GetWindowLongPtrW(driver.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
}

// Another program holds the clipboard and does not let go: the pick reports it, as every
// failed platform operation, instead of leaving the user to believe the string was copied.
TEST(Win32Window, AClipboardKeptBusyIsReportedNotSwallowed) {
  Win32Driver driver;
  driver.Type(Text1, "Sankt");
  driver.Press(Key::kEnter);
  ASSERT_EQ(driver.ShownRowCount(List1), 4);
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread other([&] {
    const BOOL opened = OpenClipboard(nullptr);
    SetEvent(held);
    WaitForSingleObject(release, 10000);
    if (opened) CloseClipboard();
  });
  WaitForSingleObject(held, 10000);
  driver.ClickRow(0);
  SetEvent(release);
  other.join();
  CloseHandle(held);
  CloseHandle(release);
  ASSERT_EQ(driver.Messages().size(), 1u);
  EXPECT_EQ(driver.Messages()[0].title, "Veldaris");
  EXPECT_TRUE(driver.Messages()[0].text.starts_with("Fehler ")) << driver.Messages()[0].text;
  EXPECT_NE(driver.Messages()[0].text.find("(Zwischenablage)"), std::string::npos) << driver.Messages()[0].text;
  EXPECT_TRUE(driver.QuitRequested());
}

}  // namespace
}  // namespace veldaris
