#include <gtest/gtest.h>

#include "tests/window_fixture.h"
#include "window/information.h"
#include "window/place_details.h"

namespace veldaris {
namespace {

using test::Place;
using test::RecordLine;

class DetailsTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WriteData({Place("Kirchberg", "Kirchberg an der Pielach", "Sankt Pölten", "NÖ", "3204", "m"),
               Place("Kirchberg", "Kirchberg an der Pielach", "Sankt Pölten", "NÖ", "3204", "M"),
               Place("Kirchbach", "Kirchbach", "Hermagor", "K", "9632", "s"),
               Place("Kirchdorf", "Kirchdorf", "Nirgends", "XY", "", "")});
    OnLoad(w);
    Edit(Text1, "Kirch");
    Click(Command1);
    ASSERT_EQ(w[List1].rows().size(), 4u);
  }
};

TEST_F(DetailsTest, EveryRowShowsItsOwnRecord) {
  OnListPick(w, 1);  // the second of two rows with the same text
  EXPECT_EQ(w[List1].rows()[0], w[List1].rows()[1]);
  EXPECT_EQ(Text(Text12), "Markt");
  EXPECT_EQ(TextOf(w.CurrentRecord.MunicipalityKind), "M");
  OnListPick(w, 0);
  EXPECT_EQ(TextOf(w.CurrentRecord.MunicipalityKind), "m");
  EXPECT_EQ(Text(Text7), "Kirchberg");
  EXPECT_EQ(Text(Text8), "Kirchberg an der Pielach");
  EXPECT_EQ(Text(Text9), "Sankt Pölten");
  EXPECT_EQ(Text(Text10), "Niederoesterreich");
  EXPECT_EQ(Text(Text5), "PLZ: 3204");
  EXPECT_EQ(Text(Text16), "Kirchberg, Sankt Poelten, Niederoesterreich, AUSTRIA");
  OnListPick(w, 2);
  EXPECT_EQ(Text(Text12), "Stadt");
  EXPECT_EQ(Text(Text10), "Kaernten");
  OnListPick(w, 3);  // the last row: no state, no postcode, a plain municipality
  EXPECT_EQ(Text(Text12), "Gemeinde");
  EXPECT_EQ(Text(Text10), "");
  EXPECT_EQ(Text(Text5), "PLZ: ");
  EXPECT_EQ(Text(Text16), "Kirchdorf, Nirgends, , AUSTRIA");
  EXPECT_EQ(w.CurrentStateName, "");
}

TEST_F(DetailsTest, APickCopiesExactlyThePlaceString) {
  OnListPick(w, 2);
  EXPECT_EQ(platform.clipboard, "Kirchbach, Hermagor, Kaernten, AUSTRIA");
  EXPECT_EQ(platform.clipboardClears, 1);
  EXPECT_EQ(w.focus, Text16);
  EXPECT_EQ(w[Text16].selStart(), 0);
  EXPECT_EQ(w[Text16].selLength(), static_cast<int>(w[Text16].text().size()));
  EXPECT_EQ(w[List1].current(), 2);
}

TEST_F(DetailsTest, AClickOnThePlaceStringCopiesWhateverItHolds) {
  Click(Text16);  // empty
  EXPECT_EQ(platform.clipboard, "");
  OnListPick(w, 0);
  Click(Picture1);
  EXPECT_EQ(platform.clipboard, "Kirchberg, Sankt Poelten, Niederoesterreich, AUSTRIA");
  EXPECT_EQ(Text(Text7), "Kirchberg");
  EXPECT_EQ(w[Text16].text(), QuotationLine());
  Click(Text16);
  EXPECT_EQ(platform.clipboard, w[Text16].text());
  w[Text16].SetText("typed by the user");
  Click(Text16);
  EXPECT_EQ(platform.clipboard, "typed by the user");
}

TEST_F(DetailsTest, AResultFileChangedBehindTheListEndsTheProgram) {
  test::WriteBytes(dir / "ergebdat.txt", RecordLine(Place("Au", "Au", "Bregenz", "Vbg", "6883")));
  OnListPick(w, 2);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("ergebdat.txt"), std::string::npos);
  EXPECT_EQ(platform.quits, 1);
}

}  // namespace
}  // namespace veldaris
