// The window system through Qt: message boxes, clipboard and quitting.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "model/platform.h"

namespace veldaris {

class QtPlatform : public Platform {
 public:
  // Answers every message box instead of showing it (tests): receives title and text with
  // line breaks as shown.
  using MessageHook = std::function<void(const QString& title, const QString& text)>;
  static void SetMessageHook(MessageHook hook);
  // Is told of the end of the program instead of ending it (tests).
  static void SetQuitHook(std::function<void()> hook);

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

}  // namespace veldaris
