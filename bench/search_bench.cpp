// End-to-end cost of one search (read the data file, match, write both result files, fill
// the list rows) against grep over the same file, measured in the same run.
//
//   veldaris_bench [DATA_FILE [QUERY]]
//
// Without an argument it uses the real data file beside the project, and says so and stops
// when that is absent. QUERY (narrow, broad or blank) runs that query alone, for profiling.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "core/text1252.h"
#include "model/window_model.h"
#include "window/search.h"

namespace {

using namespace veldaris;
using Clock = std::chrono::steady_clock;

class NullPlatform : public Platform {
 public:
  void ShowMessage(const std::string&, const std::string&) override {}
  void StartProgram(const std::string&, const std::vector<std::string>&,
                    const std::filesystem::path&) override {}
  void ClearClipboard() override {}
  void SetClipboardText(const std::string&) override {}
  std::string SpecialFolderPath(int) override { return {}; }
  std::string SpecialFolderSought(int) override { return {}; }
  void Quit() override {}
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

long MaxRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct Query {
  const char* label;
  std::string text;
  bool contains;
};

// Whole-process time of grep -c -i -F, its count read through a pipe.
double GrepMs(const std::filesystem::path& file, const std::string& literal, long* count) {
  const std::string command =
      "LC_ALL=C grep -c -i -F -e '" + literal + "' '" + file.string() + "'";
  const auto start = Clock::now();
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[64] = {};
  const bool read = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
  pclose(pipe);
  const auto end = Clock::now();
  if (count) *count = read ? std::atol(buffer) : -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path source = argc > 1 ? argv[1] : VELDARIS_REAL_DATA_FILE;
  if (!std::filesystem::exists(source)) {
    std::cout << "skipped: no data file at " << source << "\n";
    return 0;
  }
  std::ifstream in(source, std::ios::binary);
  const std::string original{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("veldaris-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);

  const std::vector<Query> queries = {
      {"narrow \"buchk\" begins", "buchk", false},
      {"broad \"st\" contains", "st", true},
      {"blank, begins", " ", false},
  };
  std::printf("%-6s %-24s %9s %10s %10s %7s %8s\n", "copies", "query", "matches", "search ms",
              "grep ms", "ratio", "ms/MB");
  for (int copies : {1, 10, 100}) {
    {
      std::ofstream out(dir / "orte-7sp.ort", std::ios::binary | std::ios::trunc);
      for (int i = 0; i < copies; ++i) out.write(original.data(), static_cast<std::streamsize>(original.size()));
    }
    const double megabytes = static_cast<double>(original.size()) * copies / 1e6;
    const int runs = copies == 1 ? 41 : copies == 10 ? 11 : 5;
    for (const Query& q : queries) {
      if (argc > 2 && std::string(q.label).find(argv[2]) == std::string::npos) continue;
      NullPlatform platform;
      Window w(platform, dir);
      w[Option1].selected = !q.contains;
      w[Option2].selected = q.contains;
      w[Option3].selected = true;
      w[Text1].text = q.text;
      std::vector<double> searchMs, grepMs;
      long grepCount = 0;
      for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        w.Run([&] { SearchPlaces(w); });
        searchMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        grepMs.push_back(GrepMs(dir / "orte-7sp.ort", q.text, &grepCount));
      }
      if (w.ended) {
        std::cout << "the search failed\n";
        return 1;
      }
      const double s = Median(searchMs), g = Median(grepMs);
      std::printf("%-6d %-24s %9ld %10.2f %10.2f %7.2f %8.2f\n", copies, q.label, w.MatchCount, s, g,
                  s / g, s / megabytes);
    }
    std::printf("       max resident set after %d copies: %ld KiB\n", copies, MaxRssKiB());
  }
  std::filesystem::remove_all(dir);
  return 0;
}
