// The window Veldaris in Win32: the controls of the control table, bound to the window model.
// The model is the truth; after every event the controls show it again.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/window_model.h"
#include "platform/win32/native_window.h"
#include "platform/win32/win32_platform.h"
#include "window/events.h"

namespace veldaris {

class Win32Window : public NativeWindow {
 public:
  Win32Window(std::filesystem::path workDir, HINSTANCE instance);
  ~Win32Window() override;

  // Creates the window with its controls, then the load event: start-up, and the controls
  // show the model. The window is still hidden.
  void Load();
  void Show(int showCommand);
  void Process(MSG& msg) override;

  Window& model() { return model_; }
  HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }

 private:
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleControl(ControlId id, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool PreTranslate(const MSG& msg);
  void NoteFocus();
  void Build();
  // The window of a control, its class and styles from one function per kind; each control
  // hands the model the events that the control table says it raises.
  struct NativeControl;
  HWND Create(const ControlSpec& spec);
  static NativeControl TextBox(const ControlSpec& spec);
  static NativeControl ComboBox(const ControlSpec& spec);
  static NativeControl Button(const ControlSpec& spec);
  static NativeControl Frame(const ControlSpec& spec);
  static NativeControl OptionButton(const ControlSpec& spec);
  static NativeControl PictureBox(const ControlSpec& spec);
  static NativeControl ListBox(const ControlSpec& spec);
  void LoadPicture(HWND hwnd, const ControlSpec& spec);
  void MeasureListRows(HWND hwnd, const ControlSpec& spec);
  void AddTooltip(HWND hwnd, const ControlSpec& spec);
  HFONT FontOf(const ControlSpec& spec, double points = 0);
  // The font of a caption, a little smaller where the system's stand-in for the design's font
  // is wider than the caption's control.
  HFONT FittingFont(const ControlSpec& spec, int room);
  // Runs one event on the model and shows the outcome.
  void Dispatch(const std::function<void()>& event);
  void Sync();
  void SyncControl(ControlId id);
  ControlId IdOf(HWND hwnd) const;
  void Command(ControlId id, int notification);
  // The text a user typed into a field; a character outside Windows-1252 is refused.
  void ForwardEdit(ControlId id, HWND edit);
  void PickRow(int row, PickedBy by);
  void MoveInList(WPARAM key);
  void DrawListRow(const DRAWITEMSTRUCT& item);
  LRESULT ColourOf(ControlId id, HDC dc);

  Win32Platform platform_;
  Window model_;
  HINSTANCE instance_;
  HWND tooltips_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  std::map<std::tuple<std::string, double, bool>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::vector<HBITMAP> bitmaps_;
  std::vector<std::wstring> tooltipTexts_;
  int listRowHeight_ = 14;
  int listCharWidth_ = 7;
  // What the controls were last made to show, so that only the model's changes are pushed
  // and the user's own caret and focus stay as they are.
  struct Shown {
    std::optional<std::string> text;  // nothing: not known, push the model's text
    std::uint64_t selRevision = ~0ull;
    std::uint64_t rowsRevision = ~0ull;
    int listIndex = -2;
    int visible = -1;
    int selected = -1;
    int width = -1;
  };
  std::array<Shown, kControlCount> shown_{};
  ControlId shownFocus_ = kControlCount;
  int shownHeight_ = -1;
  bool syncing_ = false;
};

}  // namespace veldaris
