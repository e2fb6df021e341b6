#include "tools/ort/fold.h"

#include "core/text1252.h"

namespace veldaris {

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
      default: put(c); break;
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
      default: return c;  // "Sankt" folds to "st." and begins with its own "s"
    }
  }
  return 0;
}

std::string FoldName(std::string_view text) {
  std::string folded;
  FoldName(text, folded);
  return folded;
}

}  // namespace veldaris
