// Names as people write them in old records, made comparable: the tolerant lookup of the
// place tools compares folded texts. FoldName: Windows-1252 in, Windows-1252 out; FoldedName,
// the form in which every name enters the engine's indexes: UTF-8 in, UTF-8 out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris::places {

// Folds a name so that its usual spellings compare equal: letter case aside; ä, ö, ü and ß
// as ae, oe, ue and ss (so "Gößl", "Gössl" and "GOESSL" all give "goessl"), any other accent
// left out ("Štikapron" gives "stikapron"); a hyphen as a
// blank; the words "Sankt" and "St" and "St." before anything as "st." ("St.Pölten", "St. Pölten"
// and "Sankt Pölten" give "st. poelten", "Stainz" stays "stainz"); blanks trimmed and runs of
// them made one, none after a comma ("Wien, Floridsdorf" gives "wien,floridsdorf").
std::string FoldName(std::string_view text);
// The same into a buffer the caller keeps, for folding many names without allocating; it may
// stop once the folded text holds enough bytes, for comparing the beginning of a name.
void FoldName(std::string_view text, std::string& folded, std::size_t enough = std::string::npos);
// A name as it enters the engine (a part of a family tree's place value, a name of the data
// file, of the names table or of a place abroad), with the two forms that every index of the
// engine is keyed by: folded (FoldName of its Windows-1252 form, each letter that
// Windows-1252 cannot hold written as its plain letter: "Český Krumlov" gives "cesky krumlov",
// "Brünn" "bruenn"), and loose, the same with the umlauts dropped ("brunn"). Both UTF-8.
struct FoldedName {
  std::string text;  // as written, UTF-8
  std::string folded;
  std::string loose;

  static FoldedName OfUtf8(std::string_view utf8);
  static FoldedName Of1252(std::string_view text);
};
// The folded form alone, of UTF-8 and of Windows-1252 text.
std::string FoldedKey(std::string_view utf8);
std::string FoldedKey1252(std::string_view text);
// A folded form's loose one (DropUmlauts).
std::string Loosened(std::string folded);

// The first byte of the folded name (0 for an empty one), without folding it: what a search
// compares first.
char FirstFoldedByte(std::string_view text);

// The words of a folded name, between its blanks.
std::vector<std::string_view> FoldedWords(std::string_view folded);

// A folded name without its official addition ("klagenfurt am woerthersee": "klagenfurt",
// "hainburg a.d. donau": "hainburg", "bad ischl": "ischl"; the addition begins with "am",
// "an", "bei", "im", "in", "ob" or a short form such as "a.d."), in each form it can be
// written; none for a name without one.
std::vector<std::string> WithoutAddition(std::string_view folded);
// The official addition of a folded name, from the word that begins it ("klagenfurt am
// woerthersee": "am woerthersee"); empty for a name without one.
std::string AdditionOf(std::string_view folded);
// Whether a folded name as written is another folded name with words cut short, each to a
// beginning of the other's word and a full stop: "zell a. see" of "zell am see", "bruck a.d.
// mur" of "bruck an der mur", "ried i. i." of "ried im innkreis".
bool AbbreviatesName(std::string_view written, std::string_view name);
// A folded name whose first word records cut short, written out ("wr. neustadt": "wiener
// neustadt"; "gr.", "kl.", "dt.", "mkt.", "ob.", "unt." likewise); empty for any other name.
std::string WrittenOut(std::string_view folded);
// A folded name that begins with a word such as "gross", "klein", "deutsch", "boehmisch",
// "maehrisch" or "polnisch" with that word joined to the next ("gross steurowitz":
// "grosssteurowitz"), as records write such names either way; empty for any other name.
std::string JoinedForm(std::string_view folded);

// A folded name as records kept abroad spell it, the umlauts dropped: "ae", "oe" and "ue" as
// "a", "o" and "u", so that "Pölten", "Poelten" and "Polten" all give "polten".
void DropUmlauts(std::string& folded);

// Where the edits are counted: the whole name, its beginning, or any part of it.
enum class Span { kWhole, kBeginning, kInside };
// The fewest edits (a letter inserted, deleted or replaced, or two neighbours swapped) that
// turn `name` (its whole, its beginning or a part of it) into `text`; limit + 1 when it
// takes more than limit.
int Edits(std::string_view text, std::string_view name, Span span, int limit);
// How many edits a name of that many folded letters may be away from a text and still be
// called similar: one, or two from nine letters on.
int EditsAllowed(std::string_view folded);

}  // namespace veldaris::places
