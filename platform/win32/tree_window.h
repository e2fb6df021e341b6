// The window "Veldaris Stammbaum" in Win32: the controls of the tree window's control table,
// bound to its model. The model is the truth; after every event the controls show it again,
// and while a tree is read a timer asks the model how far it is.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "stammbaum/tree_window.h"

namespace veldaris {

// Message boxes, the system's file dialogs and quitting, through Win32.
class Win32TreePlatform : public tree::TreePlatform {
 public:
  // Instead of the message box, the dialogs and the end of the program (tests).
  using MessageHook = std::function<void(const std::string& title, const std::string& text)>;
  using DialogHook = std::function<std::optional<std::filesystem::path>(bool save, const std::filesystem::path& proposed)>;
  using QuestionHook = std::function<bool(const std::string& title, const std::string& text)>;
  static void SetMessageHook(MessageHook hook);
  static void SetDialogHook(DialogHook hook);
  static void SetQuestionHook(QuestionHook hook);
  static void SetQuitHook(std::function<void()> hook);

  void SetOwner(HWND owner) { owner_ = owner; }
  void SetBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  std::optional<std::filesystem::path> AskFileToOpen(const std::string& title, const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> AskFileToSave(const std::string& title, const std::filesystem::path& proposed,
                                                     tree::FileKind kind) override;
  void Quit() override;

 private:
  HWND owner_ = nullptr;
  std::function<void()> beforeModal_;
};

class Win32TreeWindow {
 public:
  Win32TreeWindow(std::filesystem::path dataFile, HINSTANCE instance);
  ~Win32TreeWindow();
  Win32TreeWindow(const Win32TreeWindow&) = delete;
  Win32TreeWindow& operator=(const Win32TreeWindow&) = delete;

  // Creates the window with its controls, then the load event with the tree of the command
  // line; the window is still hidden.
  void Load(const std::optional<std::filesystem::path>& tree);
  void Show(int showCommand);
  int RunMessageLoop();
  // One message of the loop: the dialog keys (Tab, Shift+Tab, the access keys), then the
  // message, then a look at where the user moved the focus.
  void Process(MSG& msg);

  tree::TreeWindow& model() { return model_; }
  HWND handle() const { return hwnd_; }
  HWND control(tree::ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
  int Px(int pixels96) const { return MulDiv(pixels96, dpi_, 96); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CandidateProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
  static LRESULT CALLBACK NotesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Notify(const NMHDR& header);
  void Build();
  HWND Create(const tree::ControlSpec& spec);
  bool AccessKey(wchar_t letter);
  void Dispatch(const std::function<void()>& event);
  void Sync();
  void SyncControl(tree::ControlId id);
  tree::ControlId IdOf(HWND hwnd) const;

  Win32TreePlatform platform_;
  tree::TreeWindow model_;
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::array<HWND, tree::kControlCount> controls_{};
  // The revisions shown (one more than the model's, so that a new window shows everything).
  std::array<std::uint64_t, tree::kControlCount> shown_{}, shownRows_{};
  std::wstring cell_;  // the text a list view asks for, kept until it asks again
  bool syncing_ = false;
  bool ticking_ = false;
};

}  // namespace veldaris
