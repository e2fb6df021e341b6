// The window system through Qt, for both windows: message boxes, questions, the file
// dialogs, the clipboard and quitting.
#pragma once

#include <QSettings>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "model/platform.h"
#include "stammbaum/tree_platform.h"

namespace veldaris {

// What the tests put in place of the modal dialogs and of the end of the program, for both
// windows: the message box (its title and its text with line breaks as shown), the question
// with "Ja" and "Nein", the file dialogs (to save or to open, the name or the folder
// proposed), the end of the program, the file in which the windows keep their size and place.
// Empty: the real ones.
struct QtTestHooks {
  std::function<void(const QString& title, const QString& text)> message;
  std::function<bool(const QString& title, const QString& text)> question;
  std::function<std::optional<std::filesystem::path>(bool save, const std::filesystem::path& proposed)> fileDialog;
  std::function<void()> quit;
  std::filesystem::path settings;
};
QtTestHooks& TestHooks();

// Where a window keeps its size and place between starts: the user's settings of the program
// (~/.config/Veldaris/Veldaris.conf), or the tests' file.
std::unique_ptr<QSettings> WindowSettings();

// The end of the program, once the current event is handled.
void QuitApplication();

class QtPlatform : public Platform {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  // Runs before a modal message box opens, so that the window shows the current state.
  void SetBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

  void ShowMessage(const std::string& title, const std::string& text) override;
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  void Quit() override;

 private:
  QWidget* owner_ = nullptr;
  std::function<void()> beforeModal_;
};

// Message boxes, questions, the file dialogs and quitting for the tree window: texts in UTF-8.
class QtTreePlatform : public tree::TreePlatform {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void SetBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  std::optional<std::filesystem::path> AskFileToOpen(const std::string& title, const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> AskFileToSave(const std::string& title, const std::filesystem::path& proposed,
                                                     tree::FileKind kind) override;
  std::vector<std::uint8_t> RenderMap(const places::MapScene& scene) override;
  void Quit() override;

 private:
  QWidget* owner_ = nullptr;
  std::function<void()> beforeModal_;
};

}  // namespace veldaris
