// The seam between the tree window's model and the window system: message boxes, the
// system's dialogs to open and to save a file, the end of the program. Texts are UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "places/map.h"

namespace veldaris::tree {

// What a file dialog offers to open or to save.
enum class FileKind { kGedcom, kCsv, kMap };

class TreePlatform {
 public:
  virtual ~TreePlatform() = default;

  // A modal message box with one OK button; returns when the user has closed it.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
  // A modal question with the buttons "Ja" and "Nein", "Nein" the default; true for "Ja".
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  // The system's dialog to pick a family tree, starting in a folder; nothing when the user
  // cancels it.
  virtual std::optional<std::filesystem::path> AskFileToOpen(const std::string& title,
                                                             const std::filesystem::path& folder) = 0;
  // The system's dialog to save a file, proposing a name; nothing when the user cancels it.
  virtual std::optional<std::filesystem::path> AskFileToSave(const std::string& title,
                                                             const std::filesystem::path& proposed, FileKind kind) = 0;
  // The map's scene drawn as the window draws it, scene.view's size, into RGB pixels (row by row
  // from the top); none where this window system cannot.
  virtual std::vector<std::uint8_t> RenderMap(const places::MapScene&) { return {}; }
  // Ends the program once the current handler has returned.
  virtual void Quit() = 0;
};

}  // namespace veldaris::tree
