#include "core/rules.h"

#include "core/os.h"

namespace veldaris {
namespace {

// One pass: every occurrence of the umlaut, left to right, replaced. The replacements never
// hold the umlaut, so building the text anew gives what replacing it in place would.
void ReplaceAll(std::string& text, char umlaut, std::string_view replacement) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == umlaut)
      out.append(replacement);
    else
      out.push_back(c);
  }
  text = std::move(out);
}

// A capital umlaut is decided by the character after it: a small letter or anything from
// code 128 on gives capital and small letter, anything else (or the end) two capitals.
void ReplaceCapital(std::string& text, char umlaut, char capital) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != umlaut) {
      out.push_back(text[at]);
      continue;
    }
    const bool small = at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) > 96;
    out.push_back(capital);
    out.push_back(small ? 'e' : 'E');
  }
  text = std::move(out);
}

}  // namespace

std::string ReplaceUmlauts(std::string_view input) {
  std::string text(input);
  ReplaceAll(text, '\xE4', "ae");
  ReplaceAll(text, '\xF6', "oe");
  ReplaceAll(text, '\xFC', "ue");
  ReplaceAll(text, '\xDF', "ss");
  ReplaceCapital(text, '\xC4', 'A');
  ReplaceCapital(text, '\xD6', 'O');
  ReplaceCapital(text, '\xDC', 'U');
  return text;
}

std::string BuildPlaceString(const PlaceRecord& record, const std::string& stateName) {
  return ReplaceUmlauts(TextOf(record.Place) + ", " + TextOf(record.District) + ", " + stateName +
                        ", AUSTRIA");
}

std::string MunicipalityLabel(const std::string& kind) {
  if (kind == "m" || kind == "M") return "Markt";
  if (kind == "s" || kind == "S") return "Stadt";
  return "Gemeinde";
}

std::string ExportFileName(const std::string& searchText) {
  std::string stem = searchText.substr(0, 4);
  stem.resize(4, ' ');
  return "ort-" + stem + ".csv";
}

bool IsSafeFileName(const std::string& name) {
  const std::string_view reserved = os::ReservedFileNameCharacters();
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127 || c == '/' || c == '\\') return false;
    // The five bytes that stand for no character in Windows-1252.
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return false;
    if (reserved.find(ch) != std::string_view::npos) return false;
  }
  return true;
}

std::string NumberWithSignPlace(long n) {
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

}  // namespace veldaris
