#include "places/fold.h"

#include <algorithm>
#include <vector>

#include "core/text1252.h"

namespace veldaris::places {
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

std::vector<std::string_view> FoldedWords(std::string_view folded) {
  std::vector<std::string_view> words;
  for (std::size_t from = 0; from < folded.size();) {
    const std::size_t blank = std::min(folded.find(' ', from), folded.size());
    if (blank > from) words.push_back(folded.substr(from, blank - from));
    from = blank + 1;
  }
  return words;
}

namespace {

std::string Joined(const std::vector<std::string_view>& words, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t k = from; k < to; ++k) {
    if (k > from) out += ' ';
    out += words[k];
  }
  return out;
}

// A word that begins an official addition to a name: "am", "an der", "bei", "im", "in",
// "ob", and their short forms "a.", "a.d.", "i.", "b.".
bool IsAdditionWord(std::string_view word) {
  if (word == "am" || word == "an" || word == "bei" || word == "im" || word == "in" || word == "ob") return true;
  return word.size() >= 2 && (word[0] == 'a' || word[0] == 'i' || word[0] == 'b') && word[1] == '.' &&
         std::all_of(word.begin() + 2, word.end(), [](char c) { return c == '.' || (c >= 'a' && c <= 'z'); });
}

// An addition written as one word at the end of a name: "i.t." of "st. johann i.t.".
bool IsJoinedAddition(std::string_view word) {
  return IsAdditionWord(word) && std::count(word.begin(), word.end(), '.') >= 2 &&
         std::count_if(word.begin(), word.end(), [](char c) { return c != '.'; }) >= 2;
}

// Where a folded name's addition begins: the index of its first word, or the number of words.
std::size_t AdditionAt(const std::vector<std::string_view>& words) {
  for (std::size_t k = 1; k < words.size(); ++k)
    if (k + 1 < words.size() ? IsAdditionWord(words[k]) : IsJoinedAddition(words[k])) return k;
  return words.size();
}

}  // namespace

// A folded name without its official addition ("klagenfurt am woerthersee": "klagenfurt";
// "bad ischl": "ischl"), in each form it can be written; none for a name without one.
std::vector<std::string> WithoutAddition(std::string_view folded) {
  std::vector<std::string> forms;
  if (folded.find(',') != std::string_view::npos) return forms;
  const std::vector<std::string_view> words = FoldedWords(folded);
  const std::size_t end = AdditionAt(words);
  const std::size_t begin = words.size() > 1 && words[0] == "bad" ? 1 : 0;
  if (end < words.size()) forms.push_back(Joined(words, 0, end));
  if (begin) forms.push_back(Joined(words, 1, words.size()));
  if (begin && end < words.size() && end > 1) forms.push_back(Joined(words, 1, end));
  return forms;
}

std::string AdditionOf(std::string_view folded) {
  if (folded.find(',') != std::string_view::npos) return {};
  const std::vector<std::string_view> words = FoldedWords(folded);
  const std::size_t at = AdditionAt(words);
  return at < words.size() ? Joined(words, at, words.size()) : std::string();
}

std::string WrittenOut(std::string_view folded) {
  static constexpr std::pair<std::string_view, std::string_view> kShort[] = {
      {"wr.", "wiener"}, {"gr.", "gross"}, {"kl.", "klein"}, {"dt.", "deutsch"},
      {"mkt.", "markt"}, {"ob.", "ober"}, {"unt.", "unter"}};
  for (const auto& [cut, word] : kShort)
    if (folded.starts_with(cut)) {
      std::string_view rest = folded.substr(cut.size());
      if (rest.starts_with(' ')) rest.remove_prefix(1);
      if (!rest.empty()) return std::string(word) + " " + std::string(rest);
    }
  return {};
}

bool AbbreviatesName(std::string_view written, std::string_view name) {
  // The words, "a.d." as "a." and "d.".
  const auto words = [](std::string_view folded) {
    std::vector<std::string_view> out;
    for (std::string_view word : FoldedWords(folded))
      while (!word.empty()) {
        const std::size_t dot = word.find('.');
        const std::size_t end = dot == std::string_view::npos ? word.size() : dot + 1;
        out.push_back(word.substr(0, end));
        word.remove_prefix(end);
      }
    return out;
  };
  const std::vector<std::string_view> w = words(written), n = words(name);
  if (w.size() != n.size()) return false;
  bool shortened = false;
  for (std::size_t k = 0; k < w.size(); ++k) {
    if (w[k] == n[k]) continue;
    if (w[k].size() < 2 || w[k].back() != '.' || !n[k].starts_with(w[k].substr(0, w[k].size() - 1))) return false;
    shortened = true;
  }
  return shortened;
}

std::string JoinedForm(std::string_view folded) {
  static constexpr std::string_view kFirstWords[] = {
      "gross", "klein", "deutsch", "boehmisch", "maehrisch", "polnisch", "ungarisch", "windisch",
      "wendisch", "kroatisch", "ober", "nieder", "unter", "mittel", "alt", "neu"};
  for (std::string_view word : kFirstWords)
    if (folded.size() > word.size() + 1 && folded.starts_with(word) && folded[word.size()] == ' ')
      return std::string(word) + std::string(folded.substr(word.size() + 1));
  return {};
}

std::string FoldName(std::string_view text) {
  std::string folded;
  FoldName(text, folded);
  return folded;
}

std::string FoldedKey1252(std::string_view text) { return Windows1252ToUtf8(FoldName(text)); }

std::string FoldedKey(std::string_view utf8) { return FoldedKey1252(Utf8To1252Plain(utf8)); }

std::string Loosened(std::string folded) {
  DropUmlauts(folded);
  return folded;
}

FoldedName FoldedName::Of1252(std::string_view text) {
  FoldedName name{Windows1252ToUtf8(text), FoldedKey1252(text), {}};
  name.loose = Loosened(name.folded);
  return name;
}

FoldedName FoldedName::OfUtf8(std::string_view utf8) {
  FoldedName name{std::string(utf8), FoldedKey(utf8), {}};
  name.loose = Loosened(name.folded);
  return name;
}

}  // namespace veldaris::places
