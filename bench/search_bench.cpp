// The benchmark of the search, the list and the pick, against references measured in the
// same run:
//
//   veldaris_bench DATA_FILE [--gui-blank-ms T] [--runs N]
//
// For the data file and its 10x and 100x copies it times whole searches (SearchPlaces, in
// this process) against whole processes started directly, without a shell: a memchr count
// of the line ends, cp of the file, grep -c -i -F and rg -c -i -F for the same literal. It
// also times the start of the converter, a pick of the last row against a memchr pass over
// the result file, the bytes a list row costs, the peak memory of a narrow search, and the
// reader on a file of nothing but commas. Medians of at least five runs, with the spread.
// The last line is the summary; --gui-blank-ms passes in what the window's own benchmark
// measured.
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "core/errors.h"
#include "core/file_names.h"
#include "core/record_reader.h"
#include "core/os.h"
#include "core/place_record.h"
#include "model/window_model.h"
#include "window/place_details.h"
#include "window/search.h"
#include "core/numbers.h"

extern char** environ;

namespace {

using namespace veldaris;
using namespace veldaris::bench;

class NullPlatform : public Platform {
 public:
  void ShowMessage(const std::string&, const std::string&) override {}
  void ClearClipboard() override {}
  void SetClipboardText(const std::string&) override {}
  void Quit() override {}
};

// The converter's start is timed on its own.
class NoConverter : public System {
 public:
  void StartProgram(const std::string&, const std::vector<std::string>&, const std::filesystem::path&) override {}
};

// A whole process, started directly; its standard output.
struct Run {
  double ms = -1;
  std::string out;
};

std::string Which(const std::string& program) {
  for (const char* dir : {"/usr/bin", "/bin", "/usr/local/bin"}) {
    const std::string path = std::string(dir) + "/" + program;
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

Run Spawn(const std::vector<std::string>& argv) {
  int pipefd[2];
  if (pipe(pipefd) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipefd[0]);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const auto start = Clock::now();
  pid_t pid = 0;
  const int result = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipefd[1]);
  Run run;
  char buffer[256];
  ssize_t n;
  while ((n = read(pipefd[0], buffer, sizeof buffer)) > 0) run.out.append(buffer, static_cast<std::size_t>(n));
  close(pipefd[0]);
  if (result != 0) return {};
  int status = 0;
  waitpid(pid, &status, 0);
  run.ms = Ms(start);
  while (!run.out.empty() && (run.out.back() == '\n' || run.out.back() == '\r')) run.out.pop_back();
  return run;
}

Stats MeasureProcess(int runs, const std::vector<std::string>& argv, std::string* out) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    Run run = Spawn(argv);
    if (run.ms < 0) return {-1, -1, -1};
    ms.push_back(run.ms);
    if (out) *out = run.out;
  }
  return Summarise(ms);
}

struct Query {
  const char* name;
  std::string text;
  bool contains;
};

void Prepare(Window& w, const Query& q) {
  w[Option1].SetSelected(!q.contains);
  w[Option2].SetSelected(q.contains);
  w[Option3].SetSelected(true);
  w[Text1].SetText(q.text);
  w[Text3].SetText("");
}

void WriteAll(const std::filesystem::path& path, const std::string& bytes, int copies) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (int i = 0; i < copies; ++i) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: veldaris_bench DATA_FILE [--gui-blank-ms T] [--runs N]\n";
    return 2;
  }
  const std::filesystem::path source = argv[1];
  double guiBlankMs = -1;
  int runs = 7;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (std::string(argv[i]) == "--gui-blank-ms") guiBlankMs = ParseNumber(argv[i + 1]).value_or(-1);
    if (std::string(argv[i]) == "--runs") runs = std::max(5, static_cast<int>(ParseNumber(argv[i + 1]).value_or(0)));
  }
  if (!std::filesystem::exists(source)) {
    std::cout << "skipped: no data file at " << source << "\n";
    return 0;
  }
  const std::string original = ReadAll(source);
  const auto self = std::filesystem::canonical("/proc/self/exe").parent_path();
  const std::string memchrCount = (self / "veldaris_memchr_count").string();
  const std::string cp = Which("cp");
  const std::string grep = Which("grep");
  const std::string rg = Which("rg");
  const auto root = std::filesystem::temp_directory_path() / ("veldaris-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(root);

  std::cout << "data file " << source << ": " << original.size() << " bytes; " << runs
            << " runs each, median (min-max) in ms\n";
  std::cout << "our search runs in this process; every reference is a whole process (at 1x its start dominates)\n";
  if (rg.empty()) std::cout << "rg (Debian's ripgrep) is not installed: its column stays empty\n";

  const std::vector<Query> queries = {{"narrow", "buchk", false}, {"broad", "st", true}, {"blank", " ", false}};
  std::vector<double> narrowRg;
  double narrowMemchr = -1, broadMemchr = -1, blankCopy = -1;
  std::printf("%-5s %-7s %8s %-24s %-24s %-24s %-24s %-24s\n", "size", "query", "found", "ours",
              "memchr", "cp", "grep -c -i -F", "rg -c -i -F");
  for (int copies : {1, 10, 100}) {
    const auto dir = root / ("x" + std::to_string(copies));
    std::filesystem::create_directories(dir);
    const auto data = dir / "orte-7sp.ort";
    WriteAll(data, original, copies);
    MemchrPass(data);  // into the page cache
    std::string lines;
    const Stats memchr = MeasureProcess(runs, {memchrCount, data.string()}, &lines);
    const Stats copy = MeasureProcess(runs, {cp, data.string(), (dir / "copy.ort").string()}, nullptr);
    std::filesystem::remove(dir / "copy.ort");
    std::printf("%-5s %-7s %8s %-24s %-24s %-24s\n", (std::to_string(copies) + "x").c_str(), "lines",
                lines.c_str(), "", Cell(memchr).c_str(), Cell(copy).c_str());
    for (const Query& q : queries) {
      NullPlatform platform;
      NoConverter system;
      Window w(platform, dir, system);
      Prepare(w, q);
      const Stats ours = Measure(runs, [&] { w.Run([&] { SearchPlaces(w); }); });
      if (w.ended) {
        std::cout << "the search failed\n";
        return 1;
      }
      std::string grepCount, rgCount;
      const Stats g = MeasureProcess(runs, {grep, "-c", "-i", "-F", "-e", q.text, data.string()}, &grepCount);
      const Stats r = rg.empty() ? Stats{-1, -1, -1}
                                 : MeasureProcess(runs, {rg, "-c", "-i", "-F", "-e", q.text, data.string()}, &rgCount);
      std::printf("%-5s %-7s %8ld %-24s %-24s %-24s %-24s %-24s\n", "", q.name, w.MatchCount,
                  Cell(ours).c_str(), "", "", (Cell(g) + " " + grepCount).c_str(),
                  (Cell(r) + " " + rgCount).c_str());
      if (std::string(q.name) == "narrow" && r.median > 0) narrowRg.push_back(ours.median / r.median);
      if (copies == 100) {
        if (std::string(q.name) == "narrow") narrowMemchr = ours.median / memchr.median;
        if (std::string(q.name) == "broad") broadMemchr = ours.median / memchr.median;
        if (std::string(q.name) == "blank") blankCopy = ours.median / copy.median;
      }
    }
    if (copies != 100) std::filesystem::remove_all(dir);
  }
  std::printf("(grep and rg count the lines that hold the literal anywhere; the search finds "
              "places that begin with it, or hold it further inside)\n\n");

  // The converter's start, not waited for.
  {
    const auto dir = root / "converter";
    std::filesystem::create_directories(dir);
    WriteAll(dir / "ergeb.csv", "\"Linz;Linz;Linz Stadt\"\r\n", 1);
    const Stats start = Measure(std::max(runs, 21), [&] {
      os::StartProgram(std::string(kConverterProgram), {"34", "ergeb.csv", "OrtsList.csv"}, dir);
    });
    std::printf("converter start (posix_spawn, not waited for): %s ms\n\n", Cell(start).c_str());
  }

  // A pick of the last row, against a memchr pass over the result file; the bytes of a row.
  double clickMemchr = -1;
  long rowBytes = -1;
  for (int copies : {1, 10}) {
    const auto dir = root / ("pick" + std::to_string(copies));
    std::filesystem::create_directories(dir);
    WriteAll(dir / "orte-7sp.ort", original, copies);
    NullPlatform platform;
    NoConverter system;
    Window w(platform, dir, system);
    Prepare(w, queries[2]);
    w.Run([&] { SearchPlaces(w); });
    const int last = static_cast<int>(w[List1].rows().size()) - 1;
    const Stats pick = Measure(runs, [&] { w.Run([&] { ShowPlaceDetails(w, last); }); });
    long lines = 0;
    const Stats pass = Measure(runs, [&] { lines = MemchrPass(dir / std::string(kResultFile)); });
    std::printf("pick of row %d of %d: %s ms; memchr pass over ergebdat.txt (%ld lines): %s ms; ratio %s\n",
                last + 1, last + 1, Cell(pick).c_str(), lines, Cell(pass).c_str(), Fixed(pick.median / pass.median, 2).c_str());
    if (copies == 10) {
      clickMemchr = pick.median / pass.median;
      // What the rows cost: the heap the list takes when it is filled again.
      w[List1].SetRows({});
      // Small blocks and large ones (which the allocator maps by themselves) alike.
      const auto heap = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
      const std::size_t before = heap();
      w.Run([&] { FillResultList(w); });
      const std::size_t after = heap();
      rowBytes = static_cast<long>((after - before) / w[List1].rows().size());
      std::printf("a list row costs %ld bytes (%zu rows, %s MB)\n", rowBytes, w[List1].rows().size(),
                  Fixed(static_cast<double>(after - before) / 1e6, 1).c_str());
    }
    std::filesystem::remove_all(dir);
  }

  // Peak memory of a narrow search, each in a process of its own.
  std::printf("\npeak memory of a narrow search:");
  for (int copies : {1, 10, 100}) {
    const auto dir = root / ("x" + std::to_string(copies));
    std::filesystem::create_directories(dir);
    if (!std::filesystem::exists(dir / "orte-7sp.ort")) WriteAll(dir / "orte-7sp.ort", original, copies);
    const pid_t pid = fork();
    if (pid == 0) {
      NullPlatform platform;
      NoConverter system;
      Window w(platform, dir, system);
      Prepare(w, queries[0]);
      w.Run([&] { SearchPlaces(w); });
      _exit(w.ended ? 1 : 0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::printf("  %dx %ld KiB", copies, usage.ru_maxrss);
  }
  std::printf("\n");

  // The reader on what it was not made for: nothing but commas, on one line or on long lines
  // of 7,000 commas each, at two sizes. Twice the bytes must take about twice the time.
  {
    // Seven items to a record, and a line end ends an item as a comma does: whole records.
    const auto commas = [](std::size_t size, std::size_t line) {
      if (line == 0) return std::string(size - size % 7, ',');
      std::string bytes;
      for (std::size_t lines = size / (line + 2) / 7 * 7; lines > 0; --lines) bytes.append(line, ',').append("\r\n");
      return bytes;
    };
    const auto read = [](const std::string& bytes) {
      RecordReader reader = RecordReader::InMemory(bytes, "bench");
      while (!reader.AtEnd()) reader.Next();
    };
    double worst = 0;
    for (std::size_t line : {std::size_t{0}, std::size_t{7'000}}) {
      const std::string half = commas(25'000'000, line);
      const std::string whole = commas(50'000'000, line);
      const Stats h = Measure(5, [&] { read(half); });
      const Stats f = Measure(5, [&] { read(whole); });
      std::printf("reader on commas, %s: 25 MB %s ms, 50 MB %s ms\n",
                  line == 0 ? "no line end" : "lines of 7,000", Cell(h).c_str(), Cell(f).c_str());
      worst = std::max(worst, f.median / h.median);
    }
    std::cout << Goal("commas_50MB/25MB", worst, 3) << "\n";  // linear: 2; quadratic: 4
  }
  std::filesystem::remove_all(root);

  const double worstRg = narrowRg.empty() ? -1 : *std::max_element(narrowRg.begin(), narrowRg.end());
  std::cout << "\n"
            << Goal("narrow_memchr", narrowMemchr, 1.5) << "\n"
            << Goal("broad_memchr", broadMemchr, 2.5) << "\n"
            << Goal("blank_copy", blankCopy, 3) << "\n"
            << Goal("narrow_rg", worstRg, 1) << "\n"
            << Goal("click_memchr", clickMemchr, 2) << "\n"
            << Goal("row_bytes", static_cast<double>(rowBytes), 64) << "\n"
            << Goal("gui_blank_ms", guiBlankMs, 10, " ms") << "\n";
  std::printf("bench-summary narrow_memchr=%s broad_memchr=%s blank_copy=%s narrow_rg=%s click_memchr=%s row_bytes=%ld "
              "gui_blank_ms=%s\n",
              Fixed(narrowMemchr, 2).c_str(), Fixed(broadMemchr, 2).c_str(), Fixed(blankCopy, 2).c_str(),
              Fixed(worstRg, 2).c_str(), Fixed(clickMemchr, 2).c_str(), rowBytes, Fixed(guiBlankMs, 1).c_str());
  return 0;
}
