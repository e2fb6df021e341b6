// The window system through Win32: message boxes, the clipboard, quitting.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "model/platform.h"

namespace veldaris {

class Win32Platform : public Platform {
 public:
  // Answers every message box instead of showing it (tests): receives title and
  // text as shown.
  using MessageHook = std::function<void(const std::wstring& title, const std::wstring& text)>;
  static void SetMessageHook(MessageHook hook);

  void SetOwner(HWND owner) { owner_ = owner; }
  // Runs before a modal message box opens, so that the window shows the current state.
  void SetBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

  void ShowMessage(const std::string& title, const std::string& text) override;
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  void Quit() override;

 private:
  HWND owner_ = nullptr;
  std::function<void()> beforeModal_;
};

}  // namespace veldaris
