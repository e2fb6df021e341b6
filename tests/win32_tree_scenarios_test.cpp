// The scenarios of the tree window (tests/scenarios/tree_scenarios.cpp) on the real Win32
// window under wine: keys and mouse as messages posted to the controls' own windows and taken
// through the window's message loop, a drop as the Explorer sends it, readings from the
// controls.
//   veldaris_win32_tree_scenarios.exe [--gtest_filter=Scenarios/Win32TreeScenario.Run/NAME]
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/text1252.h"
#include "platform/win32/tree_window.h"
#include "tests/scenarios/tree_scenario.h"

namespace veldaris {
namespace {

using namespace veldaris::tree;
using scenario::Key;
using tree::ControlId;
using tree::ControlSpec;
using tree::ControlTable;
using tree::kControlCount;
using tree::NameOf;
using tree::SpecOf;
using tree::WindowCaption;

// What a control or a message box shows, as UTF-8; an edit control's line breaks are CR LF.
std::string Utf8(const std::wstring& wide) {
  std::string out = WideToUtf8(wide);
  std::erase(out, '\r');
  return out;
}

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

class Win32TreeDriver : public scenario::Driver {
 public:
  Win32TreeDriver() {
    // The texts as the model wrote them: the line breaks a message box wants CR LF are LFs.
    TestHooks().message = [this](const std::wstring& title, const std::wstring& text) {
      messages_.push_back(Utf8(title) + ": " + Utf8(text));
    };
    TestHooks().fileDialog = [this](bool, const std::filesystem::path& proposed) { return NextAnswer(proposed); };
    TestHooks().question = [this](const std::wstring& title, const std::wstring& text) {
      return NextQuestionAnswer(Utf8(title), Utf8(text));
    };
    TestHooks().quit = [this] { quit_ = true; };
    // A key of the driver's own for the window's size and place, gone with it.
    TestHooks().settings = L"Software\\Veldaris-Tests\\" + Dir().filename().wstring();
    window_ = std::make_unique<Win32TreeWindow>(test::Gazetteer(), GetModuleHandleW(nullptr));
  }
  ~Win32TreeDriver() override {
    window_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, TestHooks().settings.c_str());
    TestHooks() = {};
  }

  void Start(const std::optional<std::filesystem::path>& tree) override {
    window_->Load(tree);
    window_->Show(SW_SHOWNORMAL);
    SetForegroundWindow(window_->handle());
    Pump();
  }

  // Runs the window's loop until no message is waiting, two seconds at the most.
  void Pump() {
    const ULONGLONG start = GetTickCount64();
    for (int round = 0; round < 3; ++round) {
      MSG msg;
      while (GetTickCount64() - start < 2000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) window_->Process(msg);
      Sleep(2);
    }
  }
  HWND Control(ControlId id) { return window_->control(id); }
  int Twips(int pixels) const { return MulDiv(pixels, 1440, window_->Px(1440)); }
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

  std::string Shown(ControlId id) override { return Utf8(WindowText(Control(id))); }
  bool ShownVisible(ControlId id) override { return (GetWindowLongPtrW(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  bool ShownEnabled(ControlId id) override { return IsWindowEnabled(Control(id)) != FALSE; }
  int ShownRowCount(ControlId id) override {
    switch (SpecOf(id).kind) {
      case ControlKind::kComboBox: return static_cast<int>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0));
      case ControlKind::kTable: return ListView_GetItemCount(Control(id));
      default: return static_cast<int>(SendMessageW(Control(id), LB_GETCOUNT, 0, 0));
    }
  }
  std::string ShownCell(ControlId id, int row, int column) override {
    std::wstring text(1024, L'\0');
    if (SpecOf(id).kind == ControlKind::kTable) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = static_cast<int>(text.size());
      SendMessageW(Control(id), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    } else {
      const LRESULT length = SendMessageW(Control(id), LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
      if (length < 0) return {};
      text.resize(static_cast<std::size_t>(length) + 1);
      SendMessageW(Control(id), LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    }
    return Utf8(std::wstring(text.c_str()));
  }
  int ShownCurrentRow(ControlId id) override {
    if (SpecOf(id).kind == ControlKind::kTable) return ListView_GetNextItem(Control(id), -1, LVNI_FOCUSED);
    return static_cast<int>(SendMessageW(Control(id), LB_GETCURSEL, 0, 0));
  }
  ControlId ShownFocus() override {
    for (HWND h = GetFocus(); h; h = GetParent(h))
      for (int i = 0; i < kControlCount; ++i)
        if (h == Control(static_cast<ControlId>(i))) return static_cast<ControlId>(i);
    return kControlCount;
  }
  std::string ShownCaption() override { return Utf8(WindowText(window_->handle())); }
  Placement ShownClientSize() override {
    RECT client{};
    GetClientRect(window_->handle(), &client);
    return {0, 0, Twips(client.right), Twips(client.bottom)};
  }
  // A drop-down list's window is as high as its font makes its field: it is the design's.
  Placement ShownPlacement(ControlId id) override {
    RECT r{};
    GetWindowRect(Control(id), &r);
    MapWindowPoints(HWND_DESKTOP, window_->handle(), reinterpret_cast<POINT*>(&r), 2);
    const int height = SpecOf(id).kind == ControlKind::kDropDownList ? SpecOf(id).height : Twips(r.bottom - r.top);
    return {Twips(r.left), Twips(r.top), Twips(r.right - r.left), height};
  }
  TreeWindow& Model() override { return window_->model(); }
  void ClickMap(int x, int y) override { PostClick(Control(Map), {x, y}); }
  void WheelMap(int x, int y, int notches) override {
    POINT screen{x, y};
    ClientToScreen(Control(Map), &screen);
    PostMessageW(Control(Map), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * notches), MAKELPARAM(screen.x, screen.y));
    Pump();
  }
  void DragMap(int fromX, int fromY, int toX, int toY) override {
    HWND map = Control(Map);
    PostMessageW(map, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, fromY));
    for (int step = 1; step <= 4; ++step)
      PostMessageW(map, WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM(fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4));
    PostMessageW(map, WM_LBUTTONUP, 0, MAKELPARAM(toX, toY));
    Pump();
  }
  // As a screen reader asks: the control's accessible object, its name and description.
  std::string ShownAccessible(ControlId id, bool description) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(Control(id), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
      return "(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const HRESULT asked = description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
    object->Release();
    if (FAILED(asked) || !text) return "(none)";
    std::string shown = Utf8(std::wstring(text, SysStringLen(text)));
    SysFreeString(text);
    return shown;
  }
  std::string ShownAccessibleName(ControlId id) override { return ShownAccessible(id, false); }
  std::optional<std::string> ShownDescription(ControlId id) override {
    if (!window_->described()) return std::nullopt;
    return ShownAccessible(id, true);
  }
  unsigned ShownMapPixel(int x, int y) override {
    const COLORREF c = window_->MapPixel(x, y);
    return (unsigned{GetRValue(c)} << 16) | (unsigned{GetGValue(c)} << 8) | GetBValue(c);
  }

 protected:
  void Idle() override {
    Pump();
    Sleep(4);
  }
  void DoClick(ControlId id) override {
    RECT client{};
    GetClientRect(Control(id), &client);
    PostClick(Control(id), {client.right / 2, client.bottom / 2});
  }
  void DoChoose(ControlId id, int item) override {
    // F4 drops the list down; a click picks the item.
    SetFocus(Control(id));
    PostKey(Control(id), VK_F4);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Control(id), &info);
    RECT rect{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    PostClick(info.hwndList, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  }
  void DoClickRow(ControlId id, int row) override {
    RECT rect{};
    if (SpecOf(id).kind == ControlKind::kTable) {
      ListView_EnsureVisible(Control(id), row, FALSE);
      Pump();
      ListView_GetItemRect(Control(id), row, &rect, LVIR_LABEL);
    } else {
      SendMessageW(Control(id), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    }
    PostClick(Control(id), {rect.left + 8, (rect.top + rect.bottom) / 2});
  }
  void DoClickHeading(int column) override {
    HWND header = ListView_GetHeader(Control(PlaceList));
    RECT rect{};
    Header_GetItemRect(header, column, &rect);
    PostClick(header, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  }
  void DoPress(Key key) override {
    static const UINT keys[] = {VK_RETURN, VK_SPACE, VK_TAB,     VK_TAB,      VK_UP,   VK_DOWN,
                                VK_HOME,   VK_END,   VK_OEM_PLUS, VK_OEM_MINUS, VK_LEFT, VK_RIGHT};
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
  // As the Explorer hands a dropped file: a DROPFILES block with the wide path.
  void DoDrop(const std::filesystem::path& file) override {
    const std::wstring path = file.wstring();
    const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    PostMessageW(window_->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    Pump();
  }
  // As the close box of the title bar sends it.
  void DoCloseWindow() override {
    PostMessageW(window_->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
  }
  // As a drag of the window's border ends: the frame around a client area of that size.
  void DoResize(int width, int height) override {
    RECT frame{0, 0, window_->Px(width), window_->Px(height)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_->handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_->handle(), GWL_EXSTYLE)));
    SetWindowPos(window_->handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
  }
  void DoRestart() override {
    DoCloseWindow();
    window_ = std::make_unique<Win32TreeWindow>(test::Gazetteer(), GetModuleHandleW(nullptr));
    Start(std::nullopt);
  }

 private:
  std::unique_ptr<Win32TreeWindow> window_;
};

// Under a user's locale asked for (LANG=de_AT.UTF-8 under wine), the user's locale is that one,
// and the C runtime's stays "C": the program never asks for the user's, and writes its numbers
// without the runtime's help anyway.
TEST(UserLocale, IsTheOneAskedForAndTheRuntimeStaysC) {
  const char* asked = std::getenv("VELDARIS_USER_LOCALE");
  if (!asked) GTEST_SKIP() << "no user locale asked for (VELDARIS_USER_LOCALE)";
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  EXPECT_EQ(WideToUtf8(name), asked);
  wchar_t decimal[8] = {};
  GetLocaleInfoEx(name, LOCALE_SDECIMAL, decimal, 8);
  EXPECT_EQ(WideToUtf8(decimal), ",") << "the user's decimal separator";
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

class Win32TreeScenario : public ::testing::TestWithParam<std::size_t> {
 public:
  static inline std::size_t run = 0;
  // Once the whole list has run, every event of the control table was exercised.
  static void TearDownTestSuite() {
    if (run < scenario::Scenarios().size()) return;
    std::string missing;
    for (const std::string& m : scenario::EventsNotExercised()) missing += " " + m + ";";
    if (!missing.empty()) ADD_FAILURE() << "no scenario exercises:" << missing;
  }
};

TEST_P(Win32TreeScenario, Run) {
  Win32TreeDriver driver;
  scenario::Checks checks;
  scenario::Run(scenario::Scenarios()[GetParam()], driver, checks);
  ++run;
  for (const std::string& failure : checks.failures()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Win32TreeScenario, ::testing::Range<std::size_t>(0, scenario::Scenarios().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& param) {
                           return std::string(scenario::Scenarios()[param.param].name);
                         });

}  // namespace
}  // namespace veldaris
