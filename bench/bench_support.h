// What the benchmarks share: medians with their spread, a memchr pass, the goal lines.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/numbers.h"

namespace veldaris::bench {

using Clock = std::chrono::steady_clock;

struct Stats {
  double median = 0, min = 0, max = 0;
};

inline Stats Summarise(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.front(), ms.back()};
}

inline double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

template <typename F>
Stats Measure(int runs, F&& f) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    const auto start = Clock::now();
    f();
    ms.push_back(Ms(start));
  }
  return Summarise(ms);
}

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads a file and counts its line ends in this process: the floor of any pass over it.
inline long MemchrPass(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  static std::vector<char> buffer(256 * 1024);
  long count = 0;
  ssize_t n;
  while ((n = read(fd, buffer.data(), buffer.size())) > 0)
    for (const char* p = buffer.data(); (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(buffer.data() + n - p)))); ++p)
      ++count;
  close(fd);
  return count;
}

inline std::string Cell(const Stats& s) {
  if (s.median < 0) return "      -";
  return Fixed(s.median, 2, 8) + " (" + Fixed(s.min, 2) + "-" + Fixed(s.max, 2) + ")";
}

inline std::string Goal(const char* name, double value, double limit, const char* unit = "") {
  const bool met = value >= 0 && value <= limit;
  std::string shown(name), bound = Fixed(limit, limit == static_cast<long>(limit) ? 0 : 2);
  shown.resize(std::max<std::size_t>(shown.size(), 14), ' ');
  bound.resize(std::max<std::size_t>(bound.size(), 6), ' ');
  return "goal " + shown + " <= " + bound + unit + " " + Fixed(value, 2, 8) + unit + "  " + (met ? "met" : "NOT met");
}

}  // namespace veldaris::bench
