// The real Win32 window, on a copy of the sample data in a scratch folder, driven through its
// own message loop as a user's keys and clicks would drive it: start-up, a search, picks with
// the mouse and the keyboard, the clipboard, the keyboard order, an access key, the export.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "core/os.h"
#include "core/text1252.h"
#include "platform/win32/main_window.h"
#include "tests/test_support.h"

namespace veldaris {
namespace {

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(VELDARIS_SAMPLE_DATA, dir / "orte-7sp.ort");
    Win32Platform::SetMessageHook([this](const std::wstring& title, const std::wstring& text) {
      messages.push_back(title + L": " + text);
    });
    window = std::make_unique<Win32Window>(dir.path(), GetModuleHandleW(nullptr));
    window->Load();
    window->Show(SW_SHOWNORMAL);
    SetForegroundWindow(window->handle());
    Pump();
  }
  void TearDown() override {
    window.reset();
    Win32Platform::SetMessageHook(nullptr);
  }

  // Runs the window's loop until no message is waiting.
  void Pump() {
    for (int round = 0; round < 3; ++round) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          quit = true;
          continue;
        }
        window->Process(msg);
      }
      Sleep(5);
    }
  }
  HWND Control(ControlId id) { return window->control(id); }
  std::wstring Text(ControlId id) {
    HWND hwnd = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  void Key(HWND to, UINT key, UINT message = WM_KEYDOWN) {
    PostMessageW(to, message, key, 0);
    if (message == WM_KEYDOWN) PostMessageW(to, WM_KEYUP, key, 0);
    Pump();
  }
  void Type(ControlId id, const std::wstring& text) {
    SetFocus(Control(id));
    for (wchar_t c : text) PostMessageW(Control(id), WM_CHAR, c, 0);
    Pump();
  }
  void ClickRow(int row) {
    RECT rect{};
    SendMessageW(Control(List1), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(Control(List1), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(Control(List1), WM_LBUTTONUP, 0, at);
    Pump();
  }
  void Click(ControlId id) {
    PostMessageW(Control(id), BM_CLICK, 0, 0);
    Pump();
  }
  std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(clipboard not open)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const wchar_t*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }
  ControlId Focus() {
    for (int i = 0; i < kControlCount; ++i) {
      HWND h = GetFocus();
      for (; h; h = GetParent(h))
        if (h == Control(static_cast<ControlId>(i))) return static_cast<ControlId>(i);
    }
    return kControlCount;
  }

  test::TempDir dir;
  std::unique_ptr<Win32Window> window;
  std::vector<std::wstring> messages;
  bool quit = false;
};

TEST_F(Win32WindowTest, StartsInItsNormalState) {
  RECT client{};
  GetClientRect(window->handle(), &client);
  EXPECT_EQ(client.right, window->Px(7830));
  EXPECT_EQ(client.bottom, window->Px(6450));
  std::wstring title(64, L'\0');
  title.resize(static_cast<std::size_t>(GetWindowTextW(window->handle(), title.data(), 64)));
  EXPECT_EQ(title, Windows1252ToWide(Cp1252("Veldaris in Österreich     Version: 6.6")));
  const LONG_PTR style = GetWindowLongPtrW(window->handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  for (ControlId hidden : {Combo1, Combo2, Command4, Command5, Command6, Command7, Command9, Command11})
    EXPECT_FALSE(IsWindowVisible(Control(hidden))) << NameOf(hidden);
  EXPECT_EQ(SendMessageW(Control(Option1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(Option3), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(Combo1), CB_GETCOUNT, 0, 0), 9);
  EXPECT_EQ(Text(Text15), L"Suchergebnisse");
  EXPECT_EQ(Focus(), Text1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Win32WindowTest, SearchesPicksAndCopies) {
  Type(Text1, L"Sankt");
  EXPECT_EQ(window->model()[Text1].text, "Sankt");
  Key(Control(Text1), VK_RETURN);
  ASSERT_EQ(SendMessageW(Control(List1), LB_GETCOUNT, 0, 0), 4);
  EXPECT_TRUE(IsWindowVisible(Control(Command11)));
  ClickRow(2);
  EXPECT_EQ(Text(Text7), L"Sankt Margarethen an der Raab");
  EXPECT_EQ(Text(Text12), L"Markt");
  const std::wstring placeString = L"Sankt Margarethen an der Raab, Weiz, Steiermark, AUSTRIA";
  EXPECT_EQ(Text(Text16), placeString);
  EXPECT_EQ(Clipboard(), placeString);
  EXPECT_EQ(Focus(), Text16);
  DWORD start = 0, end = 0;
  SendMessageW(Control(Text16), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, placeString.size());
  // The keyboard browses on in the list.
  SetFocus(Control(List1));
  Pump();
  Key(Control(List1), VK_DOWN);
  EXPECT_EQ(Text(Text7), L"Sankt Veit an der Glan");
  EXPECT_EQ(Clipboard(), L"Sankt Veit an der Glan, Sankt Veit an der Glan, Kaernten, AUSTRIA");
  EXPECT_EQ(Focus(), List1);
  Key(Control(List1), VK_HOME);
  EXPECT_EQ(Text(Text7), Windows1252ToWide(Cp1252("Sankt Pölten")));
  EXPECT_TRUE(messages.empty());
}

TEST_F(Win32WindowTest, TabFollowsTheKeyboardOrderAndAltPressesButtons) {
  const ControlId order[] = {Text3, Text4, Text6, Command1, Command2, Text7, Text8, Text9, Text10, Option1};
  for (ControlId expected : order) {
    Key(GetFocus(), VK_TAB);
    EXPECT_EQ(Focus(), expected) << NameOf(expected);
  }
  Type(Text1, L"Buch");
  Key(Control(Text1), VK_RETURN);
  EXPECT_GT(SendMessageW(Control(List1), LB_GETCOUNT, 0, 0), 0);
  PostMessageW(Control(Text1), WM_SYSCHAR, 'l', 1 << 29);  // Alt+L: "Eingabe &Löschen"
  Pump();
  EXPECT_EQ(Text(Text1), L"");
  EXPECT_EQ(SendMessageW(Control(List1), LB_GETCOUNT, 0, 0), 0);
}

TEST_F(Win32WindowTest, TheExportLandsOnTheDesktopAndExitDeletesTheResultFile) {
  Type(Text1, L"Linz");
  Key(Control(Text1), VK_RETURN);
  const auto list = dir / "OrtsList.csv";
  for (int i = 0; i < 500 && !std::filesystem::exists(list); ++i) Sleep(10);
  ASSERT_TRUE(std::filesystem::exists(list)) << "the converter wrote no OrtsList.csv";
  Sleep(100);
  const std::string desktop = window->model().DesktopPath;
  ASSERT_GT(desktop.size(), 1u) << "wine knows no Desktop folder";
  std::filesystem::create_directories(os::PathFrom1252(desktop));
  Click(Command11);
  EXPECT_EQ(Text(Text16), L" Das Suchergebnis wurde am Desktop in der Datei ort-Linz.csv gespeichert");
  const auto exported = os::PathFrom1252(desktop) / "ort-Linz.csv";
  EXPECT_EQ(test::ReadBytes(exported), "Linz;Linz;Linz\r\n");
  std::filesystem::remove(exported);
  EXPECT_TRUE(std::filesystem::exists(dir / "ergebdat.txt"));
  Click(Command3);
  EXPECT_FALSE(std::filesystem::exists(dir / "ergebdat.txt"));
  EXPECT_TRUE(quit);
}

}  // namespace
}  // namespace veldaris
