// The map of a tree's places: the projection against PROJ's, the map file and what a damaged
// one does, the view, the dots and their order, what DrawMap hands a painter, the SVG and PNG
// files, and veldaris-ort --karte.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "places/data_files.h"
#include "places/map.h"
#include "places/png.h"
#include "places/tree_map.h"
#include "tests/test_support.h"

namespace veldaris::places {
namespace {

// ETRS89 / Austria Lambert as Debian's proj-bin 9.1.1 gives it:
//   printf '48.2082 16.3738\n...' | cs2cs -f %.3f EPSG:4258 EPSG:3416   (northing, easting)
TEST(Lambert, IsProjsAustriaLambert) {
  struct Case {
    const char* place;
    double latitude, longitude, east, north;
  };
  const Case cases[] = {
      {"Wien", 48.2082, 16.3738, 625863.537, 483137.488},
      {"the origin", 47.5, 13.3333333333, 400000.000, 400000.000},
      {"Lemberg", 49.8383, 24.0232, 1166942.808, 712848.356},
      {"Brünn", 49.1951, 16.6068, 638540.753, 593478.356},
      {"Bregenz", 47.5031, 9.7471, 130004.477, 406576.158},
      {"Bozen", 46.4983, 11.3427, 247234.517, 290629.384},
      {"Triest", 45.6495, 13.7768, 434574.558, 194426.914},
      {"Czernowitz", 48.2625, 25.9383, 1331531.885, 560476.268},
  };
  for (const Case& c : cases) {
    const MapPoint p = ToLambert(c.latitude, c.longitude);
    EXPECT_NEAR(p.x, c.east, 0.01) << c.place;
    EXPECT_NEAR(p.y, c.north, 0.01) << c.place;
  }
}

MapShape Square(MapLayer layer, double x, double y, double side, std::string name = {}) {
  MapShape s;
  s.layer = layer;
  s.name = std::move(name);
  s.points = {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}, {x, y}};
  s.parts = {5};
  s.label = {x + side / 2, y + side / 2};
  s.Extend();
  return s;
}

TEST(MapFile, ReadsWhatItWroteAndRefusesEveryDamagedFile) {
  const std::vector<MapShape> shapes = {Square(MapLayer::kStates, 400000, 400000, 50000, "Wien"),
                                        Square(MapLayer::kLands1910, 600000, 700000, 123456.78, "Böhmen"),
                                        Square(MapLayer::kBorders, -20000, 5, 1000)};
  const std::string bytes = MapData::Format(shapes);
  std::string error;
  const auto read = MapData::Parse(bytes, error);
  ASSERT_TRUE(read) << error;
  ASSERT_EQ(read->shapes.size(), shapes.size());
  for (std::size_t s = 0; s < shapes.size(); ++s) {
    EXPECT_EQ(read->shapes[s].layer, shapes[s].layer);
    EXPECT_EQ(read->shapes[s].name, shapes[s].name);
    EXPECT_EQ(read->shapes[s].parts, shapes[s].parts);
    for (std::size_t k = 0; k < shapes[s].points.size(); ++k) {
      // Rounded to 10 m, negative ones too.
      EXPECT_NEAR(read->shapes[s].points[k].x, shapes[s].points[k].x, 5.0) << s << " " << k;
      EXPECT_NEAR(read->shapes[s].points[k].y, shapes[s].points[k].y, 5.0) << s << " " << k;
    }
  }
  EXPECT_DOUBLE_EQ(read->austriaLow.x, 400000);  // the states' box
  EXPECT_DOUBLE_EQ(read->austriaHigh.y, 450000);
  // Cut anywhere, a byte changed in its counts, or with bytes after it: refused, with a reason.
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    error.clear();
    EXPECT_FALSE(MapData::Parse(bytes.substr(0, size), error)) << size;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_FALSE(MapData::Parse(bytes + "x", error));
  std::string huge = bytes;
  huge[8] = '\xFF';  // the number of shapes
  huge[11] = '\x7F';
  EXPECT_FALSE(MapData::Parse(huge, error));
}

// The file every build makes: small, whole, and Austria where it is.
TEST(MapFile, TheBuiltMapHoldsTheStatesTheCountriesAndTheLands) {
  std::vector<std::string> warnings;
  const auto map = LoadMap(test::Gazetteer(), warnings);
  ASSERT_TRUE(map) << (warnings.empty() ? "no map file" : warnings.front());
  EXPECT_LT(std::filesystem::file_size(MapFileOf(test::Gazetteer())), 400u * 1024);
  std::size_t states = 0, lands = 0, countries = 0, austriaBorder = 0;
  for (const MapShape& s : map->shapes) {
    states += s.layer == MapLayer::kStates;
    lands += s.layer == MapLayer::kLands1910;
    countries += s.layer == MapLayer::kCountries;
    austriaBorder += s.layer == MapLayer::kAustriaBorder;
  }
  EXPECT_EQ(states, 9u);
  EXPECT_EQ(lands, 21u);
  EXPECT_GE(countries, 10u);
  EXPECT_EQ(austriaBorder, 1u);
  for (const auto& [lat, lon] : {std::pair{48.2082, 16.3738}, std::pair{47.5031, 9.7471}, std::pair{46.62, 14.31}}) {
    const MapPoint p = ToLambert(lat, lon);
    EXPECT_TRUE(p.x > map->austriaLow.x && p.x < map->austriaHigh.x && p.y > map->austriaLow.y && p.y < map->austriaHigh.y)
        << lat << " " << lon;
  }
}

TEST(MapView, ZoomsAboutThePointerPansAndFits) {
  MapView view;
  view.SetSize(400, 300);
  view.Fit({100000, 200000}, {700000, 500000});
  EXPECT_TRUE(view.Shows({100000, 200000}) && view.Shows({700000, 500000}));
  const double fitted = view.metresPerPixel();
  const MapPoint under = view.ToMap({50, 70});
  view.ZoomAbout({50, 70}, 2);
  EXPECT_DOUBLE_EQ(view.metresPerPixel(), fitted / 2);
  EXPECT_NEAR(view.ToMap({50, 70}).x, under.x, 1e-6);
  EXPECT_NEAR(view.ToMap({50, 70}).y, under.y, 1e-6);
  const MapView::Pixel before = view.ToScreen({400000, 350000});
  view.Pan(10, -20);
  EXPECT_NEAR(view.ToScreen({400000, 350000}).x, before.x + 10, 1e-9);
  EXPECT_NEAR(view.ToScreen({400000, 350000}).y, before.y - 20, 1e-9);
  for (int k = 0; k < 100; ++k) view.ZoomAbout({0, 0}, 10);
  EXPECT_DOUBLE_EQ(view.metresPerPixel(), MapView::kNearest);
  for (int k = 0; k < 100; ++k) view.ZoomAbout({0, 0}, 0.1);
  EXPECT_DOUBLE_EQ(view.metresPerPixel(), MapView::kFarthest);
  view.Fit({400000, 400000}, {400000, 400000});  // one place: its surroundings, not a point
  EXPECT_GT(view.metresPerPixel(), MapView::kNearest);
}

TEST(MapDots, GrowWithTheirUsesAndTheSmallestOnTopIsHit) {
  double before = 0;
  for (std::size_t uses : {1u, 2u, 5u, 20u, 100u, 10000u}) {
    EXPECT_GT(DotRadius(uses), before) << uses;
    before = DotRadius(uses);
  }
  EXPECT_LT(DotRadius(100000), 30);
  MapView view;
  view.SetSize(200, 200);
  view.CentreOn({0, 0});
  std::vector<MapDot> dots = {{{0, 0}, 1, 7}, {{0, 0}, 400, 8}, {{300000, 0}, 1, 9}};
  OrderForDrawing(dots);
  EXPECT_EQ(dots.front().item, 8u);  // the large one drawn first
  const auto hit = DotAt(view, dots, {100, 100});
  ASSERT_TRUE(hit);
  EXPECT_EQ(dots[*hit].uses, 1u);  // the small one on top of it
  EXPECT_EQ(dots[*hit].item, 7u);
  EXPECT_FALSE(DotAt(view, dots, {100, 160}));
}

// What a painter is handed: only what reaches into the view, the lands of 1910 when asked
// for, the selected dot last, the credits at the end.
struct Recorder : MapPainter {
  std::vector<std::string> calls;
  void Background(MapStyle) override { calls.push_back("background"); }
  void Area(std::span<const MapView::Pixel>, std::span<const std::uint32_t> parts, MapStyle) override {
    calls.push_back("area " + std::to_string(parts.size()));
  }
  void Line(std::span<const MapView::Pixel> points, MapStyle) override {
    calls.push_back("line " + std::to_string(points.size()));
  }
  void Dot(MapView::Pixel, double, MapStyle style, std::size_t dot) override {
    calls.push_back((style == MapStyle::kDotSelected ? "selected " : "dot ") + std::to_string(dot));
  }
  void Label(MapView::Pixel, std::string_view text, MapStyle) override { calls.push_back("label " + std::string(text)); }
};

TEST(DrawMap, HandsThePainterWhatTheViewShows) {
  MapData data;
  data.shapes = {Square(MapLayer::kStates, 0, 0, 10000), Square(MapLayer::kStates, 5e6, 5e6, 10000),
                 Square(MapLayer::kLands1910, 0, 0, 20000, "Krain")};
  const std::vector<MapDot> dots = {{{1000, 1000}, 3, 0}, {{2000, 2000}, 1, 1}, {{9e6, 9e6}, 1, 2}};
  MapScene scene{&data, {}, dots, 0, false};
  scene.view.SetSize(300, 200);
  scene.view.Fit({0, 0}, {20000, 20000});
  Recorder plain;
  DrawMap(scene, plain);
  EXPECT_EQ(plain.calls, (std::vector<std::string>{"background", "area 1", "dot 1", "selected 0",
                                                   std::string("label ") + kMapCredits}));
  scene.lands1910 = true;
  scene.selected.reset();
  Recorder lands;
  DrawMap(scene, lands);
  EXPECT_EQ(lands.calls, (std::vector<std::string>{"background", "area 1", "line 5", "label Krain", "dot 0", "dot 1",
                                                   std::string("label ") + kMapCredits,
                                                   std::string("label ") + kMapCredits1910}));
  // Zoomed out until the land is narrower than its name: its name left out.
  scene.view.ZoomAbout({150, 100}, 1.0 / 8);
  Recorder small;
  DrawMap(scene, small);
  EXPECT_EQ(std::count(small.calls.begin(), small.calls.end(), "label Krain"), 0);
}

// The C library's locale set to a German one where the machine has it, for the test's time.
struct GermanNumbers {
  GermanNumbers() : before(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, "de_AT.UTF-8"); }
  ~GermanNumbers() { std::setlocale(LC_ALL, before.c_str()); }
  std::string before;
};

TEST(MapSvg, WritesACircleWithItsTitleForEachDotWhateverTheLocale) {
  const GermanNumbers german;
  const std::vector<MapDot> dots = {{{400000, 400000}, 2, 0}, {{420000, 410000}, 1, 1}};
  MapScene scene{nullptr, {}, dots, std::nullopt, false};
  scene.view.SetSize(640, 480);
  scene.view.Fit({400000, 400000}, {420000, 410000});
  const std::vector<std::string> titles = {"Wien <IX> & \"Alsergrund\"\nWien, Alsergrund\n2 Datensätze", "Graz"};
  const std::string svg = MapSvg(scene, titles);
  EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_NE(svg.find("<title>Wien &lt;IX&gt; &amp; &quot;Alsergrund&quot;\nWien, Alsergrund\n2 Datensätze</title>"),
            std::string::npos);
  const std::size_t cx = svg.find("<circle cx=\"");
  ASSERT_NE(cx, std::string::npos);
  const std::string number = svg.substr(cx + 12, svg.find('"', cx + 12) - cx - 12);
  EXPECT_NE(number.find('.'), std::string::npos) << number;  // not "320,0"
  EXPECT_EQ(number.find(','), std::string::npos) << number;
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
}

// An independent reading of the PNG: each chunk's CRC bit by bit, the stored blocks put back
// together, their Adler-32, and the pixels.
std::uint32_t BitwiseCrc(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char b : bytes) {
    crc ^= static_cast<unsigned char>(b);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}
std::uint32_t Big(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(b[at + k]);
  return v;
}

TEST(Png, IsAFileThatReadsBackAsItsPixels) {
  const int width = 300, height = 250;  // rows of 901 bytes: more than one stored block
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) rgb.push_back(static_cast<std::uint8_t>((x * 7 + y * 13 + c * 50) & 0xFF));
  const std::string png = EncodePng(width, height, rgb);
  ASSERT_TRUE(png.starts_with("\x89PNG\r\n\x1a\n"));
  std::string idat, header;
  std::size_t at = 8;
  std::vector<std::string> types;
  while (at + 12 <= png.size()) {
    const std::uint32_t size = Big(png, at);
    const std::string_view typed(png.data() + at + 4, size + 4);
    EXPECT_EQ(Big(png, at + 8 + size), BitwiseCrc(typed)) << typed.substr(0, 4);
    types.emplace_back(typed.substr(0, 4));
    if (types.back() == "IHDR") header = std::string(typed.substr(4));
    if (types.back() == "IDAT") idat += typed.substr(4);
    at += 12 + size;
  }
  EXPECT_EQ(at, png.size());
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  ASSERT_EQ(header.size(), 13u);
  EXPECT_EQ(Big(header, 0), static_cast<std::uint32_t>(width));
  EXPECT_EQ(Big(header, 4), static_cast<std::uint32_t>(height));
  EXPECT_EQ(header.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
  // zlib: its header, stored blocks, Adler-32.
  ASSERT_EQ((static_cast<unsigned char>(idat[0]) * 256 + static_cast<unsigned char>(idat[1])) % 31, 0);
  std::string raw;
  std::size_t p = 2;
  bool last = false;
  while (!last) {
    last = idat[p] & 1;
    const std::size_t size = static_cast<unsigned char>(idat[p + 1]) | static_cast<std::size_t>(static_cast<unsigned char>(idat[p + 2])) << 8;
    const std::size_t check = static_cast<unsigned char>(idat[p + 3]) | static_cast<std::size_t>(static_cast<unsigned char>(idat[p + 4])) << 8;
    ASSERT_EQ(size ^ check, 0xFFFFu);
    raw += idat.substr(p + 5, size);
    p += 5 + size;
  }
  std::uint32_t a = 1, b = 0;
  for (char c : raw) {
    a = (a + static_cast<unsigned char>(c)) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Big(idat, p), (b << 16) | a);
  ASSERT_EQ(raw.size(), static_cast<std::size_t>(height) * (width * 3 + 1));
  for (int y = 0; y < height; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * (width * 3 + 1);
    ASSERT_EQ(raw[row], '\0');
    ASSERT_EQ(raw.compare(row + 1, width * 3, reinterpret_cast<const char*>(rgb.data()) + static_cast<std::size_t>(y) * width * 3,
                          width * 3), 0) << y;
  }
  EXPECT_THROW(EncodePng(2, 2, std::span(rgb).first(11)), std::invalid_argument);
}

// veldaris-ort --karte: a circle for each value placed, titled as the window's tooltip; the
// tree is never the map's file.
TEST(OrtMap, WritesTheTreesPlacesAsSvgAndNeverOverTheTree) {
  test::TempDir dir;
  std::filesystem::copy_file(VELDARIS_SOURCE_DIR "/tests/data/alte-ortsangaben.ged", dir / "baum.ged");
  const auto run = test::RunProgram(VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", "baum.ged",
                                                   "--bericht", "bericht.csv", "--karte", "karte.svg", "--1910"},
                                    dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::string svg = test::ReadBytes(dir / "karte.svg");
  const std::string report = test::ReadBytes(dir / "bericht.csv");
  std::size_t circles = 0, placed = 0;
  for (std::size_t at = svg.find("<circle"); at != std::string::npos; at = svg.find("<circle", at + 1)) ++circles;
  for (const char* status : {",eindeutig,", ",Ausland,"})
    for (std::size_t at = report.find(status); at != std::string::npos; at = report.find(status, at + 1)) ++placed;
  EXPECT_EQ(circles, placed);
  EXPECT_NE(svg.find("<title>Wien, Österreich\nWien, Wien, Wien, AUSTRIA\n"), std::string::npos);
  EXPECT_NE(svg.find("Böhmen"), std::string::npos);  // the lands of 1910
  EXPECT_NE(svg.find("HistoGIS"), std::string::npos);  // the credits
  const std::string tree = test::ReadBytes(dir / "baum.ged");
  const auto refused = test::RunProgram(
      VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", "baum.ged", "--karte", "baum.ged"}, dir.path());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(test::ReadBytes(dir / "baum.ged"), tree);
}

}  // namespace
}  // namespace veldaris::places
