#include "core/federal_states.h"

#include "core/text1252.h"

namespace veldaris {
namespace {

FederalState Row(const char* shortForm, const char* fullName, const char* displayName,
                 const char* listItem, const char* key) {
  const std::string full = Cp1252(fullName);
  return {Cp1252(shortForm), full, Cp1252(displayName), Cp1252(listItem), key, full.substr(1)};
}

// The list item of Vorarlberg really is spelt "Voralrberg"; the place entry looks the short
// form up by the same text, so list and lookup always agree.
const std::array<FederalState, 9> kTable = {
    Row("NÖ", "Niederösterreich", "Niederoesterreich", "Niederösterreich", "n"),
    Row("OÖ", "Oberösterreich", "Oberoesterreich", "Oberösterreich", "o"),
    Row("Sbg", "Salzburg", "Salzburg", "Salzburg", "sa"),
    Row("Stmk", "Steiermark", "Steiermark", "Steiermark", "st"),
    Row("Bgl", "Burgenland", "Burgenland", "Burgenland", "b"),
    Row("Vbg", "Vorarlberg", "Vorarlberg", "Voralrberg", "v"),
    Row("W", "Wien", "Wien", "Wien", "w"),
    Row("T", "Tirol", "Tirol", "Tirol", "t"),
    Row("K", "Kärnten", "Kaernten", "Kärnten", "k"),
};

// Indexes into kTable.
constexpr std::array<std::size_t, 9> kListOrder = {1, 0, 2, 7, 8, 5, 3, 4, 6};
constexpr std::array<std::size_t, 9> kCompletionOrder = {2, 3, 4, 6, 0, 1, 7, 8, 5};

template <typename Field>
const FederalState* Find(Field field, std::string_view value) {
  for (const auto& row : kTable)
    if (row.*field == value) return &row;
  return nullptr;
}

}  // namespace

const std::array<FederalState, 9>& FederalStateTable() { return kTable; }

const FederalState* FindStateByShortForm(std::string_view s) {
  // Asked for every record of every search: by length and letters, not by a walk of the
  // table. Rows as in kTable.
  switch (s.size()) {
    case 1:
      return s[0] == 'W' ? &kTable[6] : s[0] == 'T' ? &kTable[7] : s[0] == 'K' ? &kTable[8] : nullptr;
    case 2:
      if (s[1] != '\xD6') return nullptr;
      return s[0] == 'N' ? &kTable[0] : s[0] == 'O' ? &kTable[1] : nullptr;
    case 3:
      if (s == "Sbg") return &kTable[2];
      if (s == "Bgl") return &kTable[4];
      if (s == "Vbg") return &kTable[5];
      return nullptr;
    case 4:
      return s == "Stmk" ? &kTable[3] : nullptr;
    default:
      return nullptr;
  }
}

std::optional<std::string> GetStateFullName(std::string_view shortForm) {
  if (const auto* row = Find(&FederalState::ShortForm, shortForm)) return row->FullName;
  return std::nullopt;
}

std::optional<std::string> GetStateDisplayName(std::string_view shortForm) {
  if (const auto* row = Find(&FederalState::ShortForm, shortForm)) return row->DisplayName;
  return std::nullopt;
}

std::optional<std::string> GetStateShortForm(std::string_view listItem) {
  if (const auto* row = Find(&FederalState::ListItem, listItem)) return row->ShortForm;
  return std::nullopt;
}

std::vector<std::string> GetStateListItems() {
  std::vector<std::string> items;
  for (std::size_t index : kListOrder) items.push_back(kTable[index].ListItem);
  return items;
}

std::string CompleteStateInput(std::string_view text) {
  if (Find(&FederalState::Tail, text)) return {};
  const std::string lower = ToLower1252(text);
  for (std::size_t index : kCompletionOrder) {
    const FederalState& row = kTable[index];
    if (lower.starts_with(row.CompletionKey)) return row.FullName;
  }
  return std::string(text);
}

}  // namespace veldaris
