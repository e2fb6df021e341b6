#include <gtest/gtest.h>

#include "core/federal_states.h"
#include "core/text1252.h"

namespace veldaris {
namespace {

TEST(FederalStates, LookupsAreExact) {
  EXPECT_EQ(GetStateFullName(Cp1252("NÖ")), Cp1252("Niederösterreich"));
  EXPECT_EQ(GetStateFullName(Cp1252("nÖ")), std::nullopt);
  EXPECT_EQ(GetStateFullName(Cp1252("NÖ ")), std::nullopt);
  EXPECT_EQ(GetStateFullName("K"), Cp1252("Kärnten"));
  EXPECT_EQ(GetStateDisplayName("K"), "Kaernten");
  EXPECT_EQ(GetStateDisplayName("Sbg"), "Salzburg");
  EXPECT_EQ(GetStateDisplayName(Cp1252("OÖ")), "Oberoesterreich");
  EXPECT_EQ(GetStateDisplayName("X"), std::nullopt);
  EXPECT_EQ(GetStateShortForm("Voralrberg"), "Vbg");
  EXPECT_EQ(GetStateShortForm("Vorarlberg"), std::nullopt);
  EXPECT_EQ(GetStateShortForm(Cp1252("Bundesland auswählen")), std::nullopt);
  EXPECT_EQ(GetStateShortForm(Cp1252("Kärnten")), "K");
}

TEST(FederalStates, ListItemsInListOrder) {
  std::vector<std::string> expected;
  for (const char* item : {"Oberösterreich", "Niederösterreich", "Salzburg", "Tirol", "Kärnten",
                           "Voralrberg", "Steiermark", "Burgenland", "Wien"})
    expected.push_back(Cp1252(item));
  EXPECT_EQ(GetStateListItems(), expected);
}

TEST(FederalStates, EveryColumnIsPairwiseDistinct) {
  const auto& table = FederalStateTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      EXPECT_NE(table[i].ShortForm, table[j].ShortForm);
      EXPECT_NE(table[i].FullName, table[j].FullName);
      EXPECT_NE(table[i].DisplayName, table[j].DisplayName);
      EXPECT_NE(table[i].ListItem, table[j].ListItem);
      EXPECT_NE(table[i].CompletionKey, table[j].CompletionKey);
      EXPECT_NE(table[i].Tail, table[j].Tail);
    }
}

TEST(CompleteStateInput, CompletesAndClears) {
  const std::pair<const char*, const char*> cases[] = {
      {"s", "s"},
      {"S", "S"},
      {"sa", "Salzburg"},
      {"SA", "Salzburg"},
      {"sA", "Salzburg"},
      {"st", "Steiermark"},
      {"Stmk", "Steiermark"},
      {"Sbg", "Sbg"},
      {"sx", "sx"},
      {"NÖ", "Niederösterreich"},
      {"OÖ", "Oberösterreich"},
      {"Bgl", "Burgenland"},
      {"Vbg", "Vorarlberg"},
      {"v", "Vorarlberg"},
      {"W", "Wien"},
      {"T", "Tirol"},
      {"K", "Kärnten"},
      {"bxyz", "Burgenland"},
      {"nWien", "Niederösterreich"},
      {"Wienb", "Wien"},
      {"urgenland", ""},
      {"Urgenland", "Urgenland"},
      {"Ö", "Ö"},
      {" Wien", " Wien"},
      {"", ""},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(CompleteStateInput(Cp1252(in)), Cp1252(out)) << in;
}

TEST(CompleteStateInput, EveryFullNameIsStableAndItsTailClears) {
  for (const auto& state : FederalStateTable()) {
    EXPECT_EQ(CompleteStateInput(state.FullName), state.FullName);
    EXPECT_EQ(CompleteStateInput(state.FullName.substr(1)), "") << state.FullName;
    EXPECT_EQ(CompleteStateInput(state.CompletionKey), state.FullName);
  }
}

}  // namespace
}  // namespace veldaris
