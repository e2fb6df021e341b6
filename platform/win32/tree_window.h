// The window "Veldaris Stammbaum" in Win32: the controls of the tree window's control table,
// bound to its model. The model is the truth; after every event the controls show it again,
// and while a tree is read a timer asks the model how far it is.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/win32/native_window.h"
#include "platform/win32/win32_platform.h"
#include "stammbaum/tree_window.h"

namespace veldaris {

class Win32TreeWindow : public NativeWindow {
 public:
  Win32TreeWindow(std::filesystem::path dataFile, HINSTANCE instance);
  ~Win32TreeWindow() override;

  // Creates the window with its controls, then the load event with the tree of the command
  // line; the window is still hidden.
  void Load(const std::optional<std::filesystem::path>& tree);
  void Show(int showCommand);
  void Process(MSG& msg) override;

  tree::TreeWindow& model() { return model_; }
  HWND control(tree::ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
  // Whether the system took the controls' accessible descriptions.
  bool described() const { return described_; }
  // The colour the map control last drew at a pixel of its own (from its back buffer).
  COLORREF MapPixel(int x, int y) const;

 private:
  static LRESULT CALLBACK CandidateProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
  static LRESULT CALLBACK NotesProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  // The map control: painted from a back buffer, the mouse and the keys handed to its handlers.
  static LRESULT CALLBACK MapProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMap(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintMapControl(HWND hwnd);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT Notify(const NMHDR& header);
  void Build();
  // The window's frame around a client area of that size (twips).
  RECT Frame(int width, int height) const;
  int NativeHeight(const tree::ControlSpec& spec, int height) const;
  // Each control where the table's rule puts it in the window's present size.
  void Layout();
  static std::wstring SettingsKey();
  void RestorePlacement();
  void SavePlacement();
  HWND Create(const tree::ControlSpec& spec);
  bool AccessKey(wchar_t letter);
  void Dispatch(const std::function<void()>& event);
  void Sync();
  void SyncControl(tree::ControlId id);
  tree::ControlId IdOf(HWND hwnd) const;

  Win32TreePlatform platform_;
  tree::TreeWindow model_;
  HINSTANCE instance_;
  HFONT font_ = nullptr;
  std::array<HWND, tree::kControlCount> controls_{};
  // The revisions shown (one more than the model's, so that a new window shows everything).
  std::array<std::uint64_t, tree::kControlCount> shown_{}, shownRows_{};
  std::wstring cell_;  // the text a list view asks for, kept until it asks again
  bool syncing_ = false;
  bool ticking_ = false;
  bool maximized_ = false;  // it was closed maximised
  // The map's back buffer, its tooltip and what it says, and a press of the left button on it.
  HDC mapDc_ = nullptr;
  HBITMAP mapBitmap_ = nullptr;
  SIZE mapSize_{};
  HWND mapTip_ = nullptr;
  // The controls' descriptions, shown as their tooltips (`tips_`) and told to screen readers.
  HWND tips_ = nullptr;
  std::deque<std::wstring> tipTexts_;
  bool described_ = false;
  std::wstring tip_;
  std::uint64_t shownMap_ = 0;
  POINT pressed_{}, last_{};
  bool pressing_ = false, dragging_ = false;
};

}  // namespace veldaris
