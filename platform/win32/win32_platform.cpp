#include "platform/win32/win32_platform.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "core/errors.h"
#include "core/os.h"
#include "core/text1252.h"
#include "platform/win32/map_painter.h"

namespace veldaris {
namespace {

// A line break of the program's texts is a CR alone; a message box wants CR LF.
std::wstring Shown(const std::string& text) {
  std::wstring shown;
  for (wchar_t c : Windows1252ToWide(text)) {
    shown.push_back(c);
    if (c == L'\r') shown.push_back(L'\n');
  }
  return shown;
}

std::optional<std::filesystem::path> FileDialog(HWND owner, const std::string& title, const std::filesystem::path& start,
                                                bool save, tree::FileKind kind) {
  std::wstring file(32768, L'\0');
  const std::wstring proposed = save ? start.wstring() : std::wstring();
  std::copy(proposed.begin(), proposed.end(), file.begin());
  const std::wstring folder = save ? start.parent_path().wstring() : start.wstring();
  const std::wstring caption = Utf8ToWide(title);
  const wchar_t* filter = kind == tree::FileKind::kCsv   ? L"CSV-Dateien (*.csv)\0*.csv\0Alle Dateien (*.*)\0*.*\0"
                         : kind == tree::FileKind::kMap ? L"SVG-Bilder (*.svg)\0*.svg\0PNG-Bilder (*.png)\0*.png\0"
                                                        : L"GEDCOM-Stammbäume (*.ged)\0*.ged;*.gedcom\0Alle Dateien (*.*)\0*.*\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = caption.c_str();
  ofn.lpstrDefExt = kind == tree::FileKind::kCsv ? L"csv" : kind == tree::FileKind::kMap ? L"svg" : L"ged";
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
  return std::filesystem::path(std::wstring(file.c_str()));
}

// A message box with one OK button, or the test's hook; the window takes no input until the
// box is closed.
void Message(HWND owner, const std::wstring& title, const std::wstring& text) {
  if (TestHooks().message) return TestHooks().message(title, text);
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_APPLMODAL);
}

// A clipboard operation that failed: the system's error, or "access denied" where the
// system names none (a clipboard that another program holds).
[[noreturn]] void ClipboardFailed() {
  if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_ACCESS_DENIED);
  const SystemError error = os::LastError({});
  throw SystemError(error.Number(), error.Description() + " (Zwischenablage)");
}

// The clipboard, open for this window while it lives. Another program may hold it for a
// moment; one that keeps holding it is a failure, reported as every other one, so that the
// user does not believe a text was copied that was not.
class OpenClipboardGuard {
 public:
  explicit OpenClipboardGuard(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      if (OpenClipboard(owner)) return;
      Sleep(10);
    }
    ClipboardFailed();
  }
  ~OpenClipboardGuard() { CloseClipboard(); }
  OpenClipboardGuard(const OpenClipboardGuard&) = delete;
  OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
};

void Empty() {
  if (!EmptyClipboard()) ClipboardFailed();
}

// Puts a copy of the bytes on the clipboard in one format.
void Put(UINT format, const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) ClipboardFailed();
  void* locked = GlobalLock(memory);
  if (!locked) {
    GlobalFree(memory);
    ClipboardFailed();
  }
  std::memcpy(locked, bytes, size);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) {
    GlobalFree(memory);
    ClipboardFailed();
  }
}

}  // namespace

std::wstring WideLines(const std::string& utf8) {
  std::wstring out;
  for (wchar_t c : Utf8ToWide(utf8)) {
    if (c == L'\n') out.push_back(L'\r');
    out.push_back(c);
  }
  return out;
}

Win32TestHooks& TestHooks() {
  static Win32TestHooks hooks;
  return hooks;
}

void QuitApplication() {
  if (TestHooks().quit) return TestHooks().quit();
  PostQuitMessage(0);
}

void Win32Platform::ShowMessage(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  Message(owner_, Windows1252ToWide(title), Shown(text));
}

void Win32Platform::ClearClipboard() {
  OpenClipboardGuard open(owner_);
  Empty();
}

void Win32Platform::SetClipboardText(const std::string& text) {
  OpenClipboardGuard open(owner_);
  Empty();  // makes the window the clipboard's owner, so that it may put data there
  const std::string ansi = text + '\0';
  Put(CF_TEXT, ansi.data(), ansi.size());
  const std::wstring wide = Windows1252ToWide(text) + L'\0';
  Put(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t));
}

void Win32Platform::Quit() { QuitApplication(); }

void Win32TreePlatform::ShowMessage(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  Message(owner_, Utf8ToWide(title), WideLines(text));
}

bool Win32TreePlatform::AskYesNo(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  if (TestHooks().question) return TestHooks().question(Utf8ToWide(title), WideLines(text));
  return MessageBoxW(owner_, WideLines(text).c_str(), Utf8ToWide(title).c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
         IDYES;
}

std::optional<std::filesystem::path> Win32TreePlatform::AskFileToOpen(const std::string& title,
                                                                      const std::filesystem::path& folder) {
  if (beforeModal_) beforeModal_();
  if (TestHooks().fileDialog) return TestHooks().fileDialog(false, folder);
  return FileDialog(owner_, title, folder, false, tree::FileKind::kGedcom);
}

std::optional<std::filesystem::path> Win32TreePlatform::AskFileToSave(const std::string& title,
                                                                      const std::filesystem::path& proposed,
                                                                      tree::FileKind kind) {
  if (beforeModal_) beforeModal_();
  if (TestHooks().fileDialog) return TestHooks().fileDialog(true, proposed);
  return FileDialog(owner_, title, proposed, true, kind);
}

void Win32TreePlatform::Quit() { QuitApplication(); }

}  // namespace veldaris

namespace veldaris {

std::vector<std::uint8_t> Win32TreePlatform::RenderMap(const places::MapScene& scene) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  std::vector<std::uint8_t> pixels = RenderMapPixels(scene, font, dpi);
  DeleteObject(font);
  return pixels;
}

}  // namespace veldaris
