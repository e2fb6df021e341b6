// The nine Austrian federal states in every form the program uses. Texts are Windows-1252.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris {

struct FederalState {
  std::string ShortForm;      // as stored in a place record: "NÖ", "Sbg", ...
  std::string FullName;       // with umlauts; what the state field and the filter hold
  std::string DisplayName;    // umlauts written out; shown for a place, put in the place string
  std::string ListItem;       // entry of the state list of the place entry
  std::string CompletionKey;  // lower-case initial letter(s) that complete to FullName
  std::string Tail;           // FullName without its first letter
};

// The nine rows, in the order Niederösterreich, Oberösterreich, Salzburg, Steiermark,
// Burgenland, Vorarlberg, Wien, Tirol, Kärnten.
const std::array<FederalState, 9>& FederalStateTable();

// The row of a short form (exact comparison), or nullptr.
const FederalState* FindStateByShortForm(std::string_view shortForm);

std::optional<std::string> GetStateFullName(std::string_view shortForm);
std::optional<std::string> GetStateDisplayName(std::string_view shortForm);
std::optional<std::string> GetStateShortForm(std::string_view listItem);
// The list items in the order of the state list.
std::vector<std::string> GetStateListItems();
// The content of the state field after completion.
std::string CompleteStateInput(std::string_view text);

}  // namespace veldaris
