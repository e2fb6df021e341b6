#include "tools/ort/fold.h"

#include <algorithm>
#include <vector>

#include "core/text1252.h"

namespace veldaris {
namespace {

// A small letter with an accent other than the umlauts as its plain letter: "é" as "e",
// "š" as "s".
char Plain(char lower) {
  if (static_cast<unsigned char>(lower) < 0x80) return lower;
  const char plain = PlainLetter(Windows1252ToUnicode(static_cast<unsigned char>(lower)));
  return plain ? ToLower1252(plain) : lower;
}

}  // namespace

void FoldName(std::string_view text, std::string& folded, std::size_t enough) {
  folded.clear();
  bool wordStart = true;
  bool pendingBlank = false;
  const auto put = [&](char c) {
    if (pendingBlank && !folded.empty() && folded.back() != ',') folded.push_back(' ');
    pendingBlank = false;
    folded.push_back(c);
  };
  const auto isBlank = [](char c) { return c == ' ' || c == '-' || c == '\t'; };
  for (std::size_t i = 0; i < text.size() && folded.size() < enough; ++i) {
    const char c = ToLower1252(text[i]);
    if (isBlank(c)) {
      pendingBlank = true;
      wordStart = true;
      continue;
    }
    if (c == ',') {  // "Wien, Floridsdorf" as "Wien,Floridsdorf"
      pendingBlank = false;
      folded.push_back(',');
      wordStart = true;
      continue;
    }
    if (wordStart) {
      wordStart = false;
      // "Sankt" and "St" as words of their own, "St." before anything: one word "st.", which
      // no other word folds to, so that "Sankt" finds "St. Georgen" but not "Stainz".
      const auto endsWord = [&](std::size_t n) {
        return i + n >= text.size() || isBlank(text[i + n]) || text[i + n] == ',';
      };
      const auto is = [&](std::string_view word) {
        if (i + word.size() > text.size()) return false;
        for (std::size_t k = 0; k < word.size(); ++k)
          if (ToLower1252(text[i + k]) != word[k]) return false;
        return true;
      };
      const std::size_t saint = is("sankt") && endsWord(5) ? 5
                                : is("st.")                 ? 3
                                : is("st") && endsWord(2)   ? 2
                                                            : 0;
      if (saint) {
        for (char t : std::string_view("st.")) put(t);
        i += saint - 1;
        pendingBlank = true;  // "St.Pölten" as "st. poelten"
        wordStart = true;
        continue;
      }
    }
    switch (static_cast<unsigned char>(c)) {
      case 0xE4: put('a'); put('e'); break;  // ä
      case 0xF6: put('o'); put('e'); break;  // ö
      case 0xFC: put('u'); put('e'); break;  // ü
      case 0xDF: put('s'); put('s'); break;  // ß
      default: put(Plain(c)); break;
    }
  }
}

char FirstFoldedByte(std::string_view text) {
  for (char c : text) {
    c = ToLower1252(c);
    if (c == ' ' || c == '-' || c == '\t') continue;
    switch (static_cast<unsigned char>(c)) {
      case 0xE4: return 'a';
      case 0xF6: return 'o';
      case 0xFC: return 'u';
      case 0xDF: return 's';
      default: return Plain(c);  // "Sankt" folds to "st." and begins with its own "s"
    }
  }
  return 0;
}

void DropUmlauts(std::string& folded) {
  std::size_t to = 0;
  for (std::size_t from = 0; from < folded.size(); ++from) {
    folded[to++] = folded[from];
    const char c = folded[from];
    if ((c == 'a' || c == 'o' || c == 'u') && from + 1 < folded.size() && folded[from + 1] == 'e') ++from;
  }
  folded.resize(to);
}

int Edits(std::string_view text, std::string_view name, Span span, int limit) {
  // The edits of text's first i letters against the name up to j, three rows at a time (the
  // swap of two neighbours looks two rows back). Where only a beginning or a part counts,
  // the name may end anywhere; where a part counts, it may also begin anywhere.
  const std::size_t n = name.size();
  std::vector<int> before(n + 1), previous(n + 1), row(n + 1);
  for (std::size_t j = 0; j <= n; ++j) previous[j] = span == Span::kInside ? 0 : static_cast<int>(j);
  for (std::size_t i = 1; i <= text.size(); ++i) {
    row[0] = static_cast<int>(i);
    int best = row[0];
    for (std::size_t j = 1; j <= n; ++j) {
      int edits = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + (text[i - 1] != name[j - 1])});
      if (i > 1 && j > 1 && text[i - 1] == name[j - 2] && text[i - 2] == name[j - 1])
        edits = std::min(edits, before[j - 2] + 1);
      row[j] = edits;
      best = std::min(best, edits);
    }
    if (best > limit) return limit + 1;  // no row after this one gets better
    std::swap(before, previous);
    std::swap(previous, row);
  }
  const int edits = span == Span::kWhole ? previous[n] : *std::min_element(previous.begin(), previous.end());
  return std::min(edits, limit + 1);
}

int EditsAllowed(std::string_view folded) {
  std::size_t letters = 0;
  for (char c : folded) letters += c != ' ' && c != ',' && c != '.';
  return letters >= 9 ? 2 : 1;
}

std::string FoldName(std::string_view text) {
  std::string folded;
  FoldName(text, folded);
  return folded;
}

}  // namespace veldaris
