// Veldaris Stammbaum on Windows: the window to check a family tree's places, on the gazetteer
// beside the program; a tree given as the argument (dropped onto the program or its shortcut,
// or opened with it from the Explorer) is opened.
#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <optional>

#include "platform/win32/tree_window.h"
#include "places/data_files.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  std::optional<std::filesystem::path> tree;
  int argc = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    if (argc > 1) tree = std::filesystem::path(argv[1]);
    LocalFree(argv);
  }
  veldaris::Win32TreeWindow window(veldaris::places::DefaultDataFile(), instance);
  window.Load(tree);
  window.Show(showCommand);
  return window.RunMessageLoop();
}
