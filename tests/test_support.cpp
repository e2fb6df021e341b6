#include "test_support.h"

#include <atomic>
#include <chrono>
#include <stdexcept>

namespace veldaris::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("veldaris-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string RecordLine(const std::vector<std::optional<std::string>>& items) {
  std::string line;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) line += ',';
    if (items[i]) line += '"' + Cp1252(*items[i]) + '"';
  }
  return line + "\r\n";
}

std::optional<std::filesystem::path> RealDataFile() {
  const std::filesystem::path path = VELDARIS_REAL_DATA_FILE;
  if (std::filesystem::exists(path)) return path;
  return std::nullopt;
}

}  // namespace veldaris::test
