#include "platform/win32/win32_platform.h"

#include <cstring>

#include "core/os.h"
#include "core/text1252.h"

namespace veldaris {
namespace {

Win32Platform::MessageHook& Hook() {
  static Win32Platform::MessageHook hook;
  return hook;
}

// A line break of the program's texts is a CR alone; a message box wants CR LF.
std::wstring Shown(const std::string& text) {
  std::wstring shown;
  for (wchar_t c : Windows1252ToWide(text)) {
    shown.push_back(c);
    if (c == L'\r') shown.push_back(L'\n');
  }
  return shown;
}

// Opens the clipboard, which another program may hold for a moment.
bool OpenTheClipboard(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

// Puts a copy of the bytes on the clipboard in one format.
void Put(UINT format, const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return;
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) GlobalFree(memory);
}

}  // namespace

void Win32Platform::SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

void Win32Platform::ShowMessage(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  if (Hook()) {
    Hook()(Windows1252ToWide(title), Shown(text));
    return;
  }
  // One OK button and no icon; the window takes no input until the box is closed.
  MessageBoxW(owner_, Shown(text).c_str(), Windows1252ToWide(title).c_str(), MB_OK | MB_APPLMODAL);
}

void Win32Platform::StartProgram(const std::string& name, const std::vector<std::string>& args,
                                 const std::filesystem::path& workDir) {
  os::StartProgram(name, args, workDir);
}

void Win32Platform::ClearClipboard() {
  if (!OpenTheClipboard(owner_)) return;
  EmptyClipboard();
  CloseClipboard();
}

void Win32Platform::SetClipboardText(const std::string& text) {
  if (!OpenTheClipboard(owner_)) return;
  EmptyClipboard();  // makes the window the clipboard's owner, so that it may put data there
  const std::string ansi = text + '\0';
  Put(CF_TEXT, ansi.data(), ansi.size());
  const std::wstring wide = Windows1252ToWide(text) + L'\0';
  Put(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t));
  CloseClipboard();
}

std::string Win32Platform::SpecialFolderPath(int csidl) { return os::SpecialFolderPath(csidl); }

std::string Win32Platform::SpecialFolderSought(int csidl) { return os::SpecialFolderSought(csidl); }

void Win32Platform::Quit() { PostQuitMessage(0); }

}  // namespace veldaris
