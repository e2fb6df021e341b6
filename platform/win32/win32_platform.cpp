#include "platform/win32/win32_platform.h"

#include <cstring>

#include "core/errors.h"
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

void Win32Platform::Quit() { PostQuitMessage(0); }

}  // namespace veldaris
