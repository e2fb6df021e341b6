#include "places/ansel.h"

#include <array>
#include <vector>

#include "core/text1252.h"

namespace veldaris::places {
namespace {

// The special characters, 0xA1 to 0xCF; 0 where the byte is undefined. 0xAE and 0xB0
// (alif and ayn) are the half rings as GEDCOM 5.5 names them; 0xCD and 0xCE, the midline e
// and o of the LDS extension, have no character of their own in Unicode and are read as e
// and o.
constexpr std::array<char32_t, 0xD0 - 0xA1> kSpecial = {
    0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9, 0x00B7,  // A1 Ł Ø Đ Þ Æ Œ ʹ ·
    0x266D, 0x00AE, 0x00B1, 0x01A0, 0x01AF, 0x02BF, 0,               // A9 ♭ ® ± Ơ Ư ʿ -
    0x02BE, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, 0x02BA,  // B0 ʾ ł ø đ þ æ œ ʺ
    0x0131, 0x00A3, 0x00F0, 0,      0x01A1, 0x01B0, 0x25A1, 0x25A0,  // B8 ı £ ð - ơ ư □ ■
    0x00B0, 0x2113, 0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0,       // C0 ° ℓ ℗ © ♯ ¿ ¡ -
    0,      0,      0,      0,      0,      'e',    'o',    0x00DF,  // C8 - - - - - e o ß
};

// A combining diacritic, 0xE0 to 0xFE: its Unicode mark, and the letters that Unicode
// composes with it, each with its composed letter in the same place of the second string.
// A letter that is itself composed takes a second mark ("ü" and the macron are "ǖ").
struct Diacritic {
  unsigned char byte;
  char32_t mark;
  const char* letters;   // UTF-8
  const char* composed;  // UTF-8
};
constexpr Diacritic kDiacritics[] = {
    {0xE0, 0x0309, "AaÂâĂăEeÊêIiOoÔôƠơUuƯưYy", "ẢảẨẩẲẳẺẻỂểỈỉỎỏỔổỞởỦủỬửỶỷ"},  // hook above
    {0xE1, 0x0300, "AEIOUaeiouÜüNnĒēŌōWwÂâĂăÊêÔôƠơƯưYy", "ÀÈÌÒÙàèìòùǛǜǸǹḔḕṐṑẀẁẦầẰằỀềỒồỜờỪừỲỳ"},  // grave
    {0xE2, 0x0301, "AEIOUYaeiouyCcLlNnRrSsZzÜüGgÅåÆæØøÇçĒēÏïKkMmÕõŌōPpŨũWwÂâĂăÊêÔôƠơƯư",
     "ÁÉÍÓÚÝáéíóúýĆćĹĺŃńŔŕŚśŹźǗǘǴǵǺǻǼǽǾǿḈḉḖḗḮḯḰḱḾḿṌṍṒṓṔṕṸṹẂẃẤấẮắẾếỐốỚớỨứ"},  // acute
    {0xE3, 0x0302, "AEIOUaeiouCcGgHhJjSsWwYyZzẠạẸẹỌọ", "ÂÊÎÔÛâêîôûĈĉĜĝĤĥĴĵŜŝŴŵŶŷẐẑẬậỆệỘộ"},  // circumflex
    {0xE4, 0x0303, "ANOanoIiUuVvÂâĂăEeÊêÔôƠơƯưYy", "ÃÑÕãñõĨĩŨũṼṽẪẫẴẵẼẽỄễỖỗỠỡỮữỸỹ"},  // tilde
    {0xE5, 0x0304, "AaEeIiOoUuÜüÄäȦȧÆæǪǫÖöÕõȮȯYyGgḶḷṚṛ", "ĀāĒēĪīŌōŪūǕǖǞǟǠǡǢǣǬǭȪȫȬȭȰȱȲȳḠḡḸḹṜṝ"},  // macron
    {0xE6, 0x0306, "AaEeGgIiOoUuȨȩẠạ", "ĂăĔĕĞğĬĭŎŏŬŭḜḝẶặ"},  // breve
    {0xE7, 0x0307, "CcEeGgIZzAaOoBbDdFfHhMmNnPpRrSsŚśŠšṢṣTtWwXxYyſ",
     "ĊċĖėĠġİŻżȦȧȮȯḂḃḊḋḞḟḢḣṀṁṄṅṖṗṘṙṠṡṤṥṦṧṨṩṪṫẆẇẊẋẎẏẛ"},  // dot above
    {0xE8, 0x0308, "AEIOUaeiouyYHhÕõŪūWwXxt", "ÄËÏÖÜäëïöüÿŸḦḧṎṏṺṻẄẅẌẍẗ"},  // diaeresis
    {0xE9, 0x030C, "CcDdEeLlNnRrSsTtZzAaIiOoUuÜüGgKkƷʒjHh", "ČčĎďĚěĽľŇňŘřŠšŤťŽžǍǎǏǐǑǒǓǔǙǚǦǧǨǩǮǯǰȞȟ"},  // caron
    {0xEA, 0x030A, "AaUuwy", "ÅåŮůẘẙ"},  // ring above
    {0xEB, 0xFE20, "", ""},  // ligature, left half
    {0xEC, 0xFE21, "", ""},  // ligature, right half
    {0xED, 0x0315, "", ""},  // comma above right
    {0xEE, 0x030B, "OoUu", "ŐőŰű"},  // double acute
    {0xEF, 0x0310, "", ""},  // candrabindu
    {0xF0, 0x0327, "CcGgKkLlNnRrSsTtEeDdHh", "ÇçĢģĶķĻļŅņŖŗŞşŢţȨȩḐḑḨḩ"},  // cedilla
    {0xF1, 0x0328, "AaEeIiUuOo", "ĄąĘęĮįŲųǪǫ"},  // ogonek
    {0xF2, 0x0323, "BbDdHhKkLlMmNnRrSsTtVvWwZzAaEeIiOoƠơUuƯưYy",
     "ḄḅḌḍḤḥḲḳḶḷṂṃṆṇṚṛṢṣṬṭṾṿẈẉẒẓẠạẸẹỊịỌọỢợỤụỰựỴỵ"},  // dot below
    {0xF3, 0x0324, "Uu", "Ṳṳ"},  // diaeresis below
    {0xF4, 0x0325, "Aa", "Ḁḁ"},  // ring below
    {0xF5, 0x0333, "", ""},  // double low line
    {0xF6, 0x0332, "", ""},  // low line
    {0xF7, 0x0326, "SsTt", "ȘșȚț"},  // comma below
    {0xF8, 0x031C, "", ""},  // left half ring below
    {0xF9, 0x032E, "Hh", "Ḫḫ"},  // breve below
    {0xFA, 0xFE22, "", ""},  // double tilde, left half
    {0xFB, 0xFE23, "", ""},  // double tilde, right half
    {0xFE, 0x0313, "", ""},  // comma above
};

// The diacritics by byte, their letters decoded once.
struct DiacriticTable {
  struct Entry {
    char32_t mark = 0;
    std::u32string letters, composed;
  };
  std::array<Entry, 0x100 - 0xE0> byByte{};
  DiacriticTable() {
    for (const Diacritic& d : kDiacritics) {
      Entry& e = byByte[d.byte - 0xE0];
      e.mark = d.mark;
      e.letters = *DecodeUtf8(d.letters);
      e.composed = *DecodeUtf8(d.composed);
    }
  }
  const Entry* Find(unsigned char byte) const {
    if (byte < 0xE0) return nullptr;
    const Entry& e = byByte[byte - 0xE0];
    return e.mark ? &e : nullptr;
  }
};

const DiacriticTable& Diacritics() {
  static const DiacriticTable table;
  return table;
}

char32_t Special(unsigned char byte) {
  return byte >= 0xA1 && byte < 0xD0 ? kSpecial[byte - 0xA1] : 0;
}

}  // namespace

bool IsAnselByte(unsigned char byte) {
  return byte < 0x80 || Special(byte) != 0 || Diacritics().Find(byte) != nullptr;
}

std::optional<std::string> AnselToUtf8(std::string_view ansel) {
  const DiacriticTable& diacritics = Diacritics();
  std::string out;
  out.reserve(ansel.size() + ansel.size() / 4);
  std::vector<const DiacriticTable::Entry*> marks;  // those read before the letter
  for (const char c : ansel) {
    const auto byte = static_cast<unsigned char>(c);
    if (const auto* mark = diacritics.Find(byte)) {
      marks.push_back(mark);
      continue;
    }
    char32_t letter = byte < 0x80 ? byte : Special(byte);
    if (letter == 0 && byte != 0) return std::nullopt;
    // The mark nearest the letter comes first, as Unicode orders them after it: "\xE1\xE8u"
    // is u, diaeresis, grave, which is ǜ.
    std::u32string left;  // the marks that compose with no letter
    for (auto m = marks.rbegin(); m != marks.rend(); ++m) {
      const std::size_t at = (*m)->letters.find(letter);
      if (at != std::u32string::npos && left.empty())
        letter = (*m)->composed[at];
      else
        left.push_back((*m)->mark);
    }
    marks.clear();
    AppendUtf8(out, letter);
    for (char32_t mark : left) AppendUtf8(out, mark);
  }
  // Marks at the end, with no letter after them, stand alone.
  for (const auto* mark : marks) AppendUtf8(out, mark->mark);
  return out;
}

}  // namespace veldaris::places
