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

// Asked for every record of every search: a short form is compared with the one row that its
// first letter and its length can be, found in an index made from the table.
constexpr std::size_t kShortFormMax = 4;
const auto kShortFormIndex = [] {
  std::array<std::array<const FederalState*, kShortFormMax + 1>, 256> index{};
  for (const FederalState& row : kTable) index[static_cast<unsigned char>(row.ShortForm[0])][row.ShortForm.size()] = &row;
  return index;
}();

template <typename Field>
const FederalState* Find(Field field, std::string_view value) {
  for (const auto& row : kTable)
    if (row.*field == value) return &row;
  return nullptr;
}

}  // namespace

const std::array<FederalState, 9>& FederalStateTable() { return kTable; }

const FederalState* FindStateByShortForm(std::string_view shortForm) {
  if (shortForm.empty() || shortForm.size() > kShortFormMax) return nullptr;
  const FederalState* row = kShortFormIndex[static_cast<unsigned char>(shortForm[0])][shortForm.size()];
  if (!row) return nullptr;
  for (std::size_t i = 1; i < shortForm.size(); ++i)
    if (shortForm[i] != row->ShortForm[i]) return nullptr;
  return row;
}

std::optional<std::string> GetStateFullName(std::string_view shortForm) {
  if (const auto* row = FindStateByShortForm(shortForm)) return row->FullName;
  return std::nullopt;
}

std::optional<std::string> GetStateDisplayName(std::string_view shortForm) {
  if (const auto* row = FindStateByShortForm(shortForm)) return row->DisplayName;
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
