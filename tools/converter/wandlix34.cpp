// wandlix-34: copies a file, leaving out every byte of one code.
//
//   wandlix-34 CODE INPUT OUTPUT
//
// CODE is a decimal byte value (0 to 255); "wandlix-34 34 ergeb.csv OrtsList.csv" drops the
// double quotes around every line of the search result. The output is written to a new file
// of its own beside the target and renamed into place at the end: a failure leaves no
// partial file, and runs that overlap (a search started while the last one still converts)
// each write their own file, the last rename winning.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/errors.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/text1252.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "wandlix-34: %s\n", message.c_str());
  return 2;
}

bool ParseCode(const char* text, unsigned char& code) {
  if (*text == '\0') return false;
  unsigned value = 0;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + static_cast<unsigned>(*p - '0');
    if (value > 255) return false;
  }
  code = static_cast<unsigned char>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace veldaris;
  if (argc != 4)
    return Fail("usage: wandlix-34 CODE INPUT OUTPUT (CODE: the byte value to leave out, 0-255)");
  unsigned char code = 0;
  if (!ParseCode(argv[1], code)) return Fail(std::string("not a byte value (0-255): ") + argv[1]);
  try {
    InputFile in(std::filesystem::path(argv[2]), argv[2]);
    OutputFile out(std::filesystem::path(argv[3]), argv[3]);
    std::string kept;
    for (std::string_view chunk = in.Buffered(); !chunk.empty(); chunk = in.Buffered()) {
      kept.clear();
      for (char c : chunk)
        if (static_cast<unsigned char>(c) != code) kept.push_back(c);
      out.Write(kept);
      in.Skip(chunk.size());
    }
    in.Close();
    out.Close();
  } catch (const SystemError& error) {
    return Fail(error.File() + ": " + Windows1252ToUtf8(error.Description()));
  }
  return 0;
}
