// The failure that every file or platform operation throws when it cannot do its work.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace veldaris {

// Error numbers of the record reader; file and platform failures carry the system's own
// error number instead.
enum RecordErrorNumber : int {
  kErrEndInsideRecord = 1001,
  kErrTextAfterQuote = 1002,
  kErrQuoteInItem = 1003,
  kErrLoneLineBreak = 1004,
  kErrUnclosedQuote = 1005,
  kErrRecordMissing = 1006,
  kErrNotRegularFile = 1007,
};

class SystemError : public std::runtime_error {
 public:
  // number: error number; description: the platform's description of the error (or the
  // reader's, for a record that cannot be read); file: the file concerned, empty if none.
  // Texts are Windows-1252.
  SystemError(int number, std::string description, std::string file = {})
      : std::runtime_error(description), number_(number),
        description_(std::move(description)), file_(std::move(file)) {}

  int Number() const { return number_; }
  const std::string& Description() const { return description_; }
  const std::string& File() const { return file_; }

 private:
  int number_;
  std::string description_;
  std::string file_;
};

// What opening a folder, a device or a named pipe as a file gives.
inline SystemError NotRegularFileError(std::string file) {
  return SystemError(kErrNotRegularFile,
                     "Keine gew\xF6hnliche Datei (ein Ordner, ein Ger\xE4t oder eine Pipe)",
                     std::move(file));
}

}  // namespace veldaris
