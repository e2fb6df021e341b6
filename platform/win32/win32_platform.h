// The window system through Win32, for both windows: message boxes, questions, the file
// dialogs, the clipboard, quitting.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "model/platform.h"
#include "stammbaum/tree_platform.h"

namespace veldaris {

// What the tests put in place of the modal dialogs and of the end of the program, for both
// windows: the message box (its title and its text as shown), the question with "Ja" and
// "Nein", the file dialogs (to save or to open, the name or the folder proposed), the end of
// the program, the registry key under HKEY_CURRENT_USER where the windows keep their size and
// place. Empty: the real ones.
struct Win32TestHooks {
  std::function<void(const std::wstring& title, const std::wstring& text)> message;
  std::function<bool(const std::wstring& title, const std::wstring& text)> question;
  std::function<std::optional<std::filesystem::path>(bool save, const std::filesystem::path& proposed)> fileDialog;
  std::function<void()> quit;
  std::wstring settings;
};
Win32TestHooks& TestHooks();

// UTF-8 text as the wide text of a message box or an edit control: its line breaks, LFs,
// as CR LF.
std::wstring WideLines(const std::string& utf8);

// The end of the program: the message loop ends.
void QuitApplication();

class Win32Platform : public Platform {
 public:
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

// Message boxes, questions, the system's file dialogs and quitting for the tree window:
// texts in UTF-8.
class Win32TreePlatform : public tree::TreePlatform {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void SetBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  std::optional<std::filesystem::path> AskFileToOpen(const std::string& title, const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> AskFileToSave(const std::string& title, const std::filesystem::path& proposed,
                                                     tree::FileKind kind) override;
  std::vector<std::uint8_t> RenderMap(const places::MapScene& scene) override;
  void Quit() override;

 private:
  HWND owner_ = nullptr;
  std::function<void()> beforeModal_;
};

}  // namespace veldaris
