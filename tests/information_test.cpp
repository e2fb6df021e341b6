#include <gtest/gtest.h>

#include "core/text1252.h"
#include "window/information.h"

namespace veldaris {
namespace {

TEST(Information, TheMessageIsBuiltFromLinesAndParagraphs) {
  const std::string text = InfoText();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  ASSERT_EQ(text.back(), '\r');
  EXPECT_NE(text[text.size() - 2], '\r');
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  ASSERT_EQ(lines.size(), 15u);
  for (std::size_t empty : {4u, 7u, 12u}) EXPECT_EQ(lines[empty], "") << empty + 1;
  int withText = 0;
  for (const auto& line : lines) withText += !line.empty();
  EXPECT_EQ(withText, 12);
  EXPECT_EQ(lines[0].rfind("Dieses Programm wurde vom derzeitigen Leiter der ", 0), 0u);
  EXPECT_NE(lines[1].find(Cp1252(" geschrieben und dient als Hilfe zur Veldaris in Österreich. Die Richtigkeit")),
            std::string::npos);
  EXPECT_EQ(lines[2], Cp1252("der Angaben kann nicht garantiert werden. Derzeit sind über 21 000 Orte enthalten."));
  EXPECT_EQ(lines[3], Cp1252("Besonderen Dank an Hr. N. N. für das Lektieren und Korregieren der Daten."));
  EXPECT_EQ(lines[8].back(), ' ');
  EXPECT_EQ(lines[10].back(), ' ');
  EXPECT_EQ(lines[11], "Eich- und Vermessungswesen, >Amap< Version 2.");
  EXPECT_EQ(lines[13], Cp1252("Rückmeldungen, Korrekturen und Verbesserungvorschläge bitte an:"));
  EXPECT_NE(lines[14].find('@'), std::string::npos);
  EXPECT_EQ(InformationTitle(), "    I N F O R M A T I O N  ");
  // The verse, then two blanks before the poet.
  EXPECT_EQ(QuotationLine().rfind(Cp1252(" Es ist ein gutes Land, wohl wert, dass sich ein Fürst sein unterwinde...  "), 0), 0u);
}

}  // namespace
}  // namespace veldaris
