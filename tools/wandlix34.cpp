// wandlix-34: copies a file, leaving out every byte of one code.
//
//   wandlix-34 CODE INPUT OUTPUT
//
// CODE is a decimal byte value (0 to 255); "wandlix-34 34 ergeb.csv OrtsList.csv" drops the
// double quotes around every line of the search result. The output is written to a
// temporary file beside it and renamed at the end, so a failure leaves no partial file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "wandlix-34: %s\n", message.c_str());
  return 2;
}

std::string ErrnoText(int err) { return std::system_category().message(err); }

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
  if (argc != 4)
    return Fail("usage: wandlix-34 CODE INPUT OUTPUT (CODE: the byte value to leave out, 0-255)");
  unsigned char code = 0;
  if (!ParseCode(argv[1], code)) return Fail(std::string("not a byte value (0-255): ") + argv[1]);
  const std::filesystem::path input = argv[2];
  const std::filesystem::path output = argv[3];

  std::FILE* in = std::fopen(argv[2], "rb");
  if (!in) return Fail("cannot read " + input.string() + ": " + ErrnoText(errno));

  std::filesystem::path temp = output;
  temp += ".part";
  std::FILE* out = std::fopen(temp.string().c_str(), "wb");
  if (!out) {
    const int err = errno;
    std::fclose(in);
    return Fail("cannot write " + temp.string() + ": " + ErrnoText(err));
  }

  std::vector<unsigned char> buffer(64 * 1024);
  std::vector<unsigned char> kept(buffer.size());
  bool ok = true;
  std::string problem;
  for (;;) {
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    if (n == 0) {
      if (std::ferror(in)) {
        ok = false;
        problem = "cannot read " + input.string() + ": " + ErrnoText(errno);
      }
      break;
    }
    std::size_t k = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (buffer[i] != code) kept[k++] = buffer[i];
    if (std::fwrite(kept.data(), 1, k, out) != k) {
      ok = false;
      problem = "cannot write " + temp.string() + ": " + ErrnoText(errno);
      break;
    }
  }
  std::fclose(in);
  if (std::fclose(out) != 0 && ok) {
    ok = false;
    problem = "cannot write " + temp.string() + ": " + ErrnoText(errno);
  }
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(temp, output, ec);
    if (ec) {
      ok = false;
      problem = "cannot replace " + output.string() + ": " + ec.message();
    }
  }
  if (!ok) {
    std::filesystem::remove(temp, ec);
    return Fail(problem);
  }
  return 0;
}
