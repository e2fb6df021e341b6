// Veldaris on Windows: opens the window in the current folder, which holds the data file.
#include <windows.h>

#include <filesystem>

#include "platform/win32/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  veldaris::Win32Window window(std::filesystem::current_path(), instance);
  window.Load();
  if (window.model().ended) return 1;  // another program works in this folder
  window.Show(showCommand);
  return window.RunMessageLoop();
}
