#include "tools/ort/names.h"

namespace veldaris::ort {
namespace {

using enum AreaKind;

// The monarchy's lands in the countries of today: Austria ("Österreich" meant the whole
// monarchy until 1918), then the states, the crown lands, other countries, the regions of
// the states and the districts before their reforms. A district or region names the data
// file's districts.
constexpr NamedArea kAreas[] = {
    {kCountry,
     "Österreich|Oesterreich|Austria|AUT|Österr.|Oesterr.|Republik Österreich|Deutschösterreich|"
     "Deutsch-Österreich|Österreich-Ungarn|Oesterreich-Ungarn|Austria-Hungary|Austria Hungary|"
     "Austro-Hungarian Empire|Austro-Hungary|Austrian Empire|Empire of Austria|Kaisertum Österreich|"
     "Kaiserthum Österreich|Kaiserthum Oesterreich|k.u.k. Monarchie|Habsburgermonarchie|Donaumonarchie|"
     "Cisleithanien|Ostmark|Autriche|Rakousko|Ausztria|Austria-Ungheria|Österreichische Monarchie",
     "NÖ OÖ Sbg Stmk Bgl Vbg W T K", "", "CZ SK SI PL UA HU RO HR BA RS ME IT"},

    {kState,
     "Niederösterreich|Nieder-Österreich|Niederoesterreich|NÖ|N.Ö.|NOe|N.Oe.|Lower Austria|"
     "Österreich unter der Enns|Oesterreich unter der Enns|Erzherzogtum Österreich unter der Enns|"
     "Österreich unter der Ens|unter der Enns|Land unter der Enns|Unterösterreich|Basse-Autriche|"
     "Dolní Rakousy",
     "NÖ W", "", ""},  // Vienna was a part of Lower Austria until 1922
    {kState,
     "Oberösterreich|Ober-Österreich|Oberoesterreich|OÖ|O.Ö.|OOe|O.Oe.|Upper Austria|"
     "Österreich ob der Enns|Oesterreich ob der Enns|Erzherzogtum Österreich ob der Enns|"
     "Österreich ob der Ens|ob der Enns|Land ob der Enns|Haute-Autriche|Horní Rakousy",
     "OÖ", "", ""},
    {kState, "Salzburg|Land Salzburg|Herzogtum Salzburg|Salzburger Land|Salzburgerland|Sbg|Slbg|Salzbourg", "Sbg",
     "", ""},
    {kState, "Steiermark|Steyermark|Steiermarck|Steyermarck|Steyrmark|Stmk|Stmk.|Styria|Stiria|Herzogtum Steiermark|Štajerska|Stájerország",
     "Stmk", "Güssing|Jennersdorf|Oberwart", "SI"},  // the south of the Burgenland 1938 to 1945
    {kState, "Burgenland|Bgld|Bgld.|Bgl|Deutsch-Westungarn|Deutschwestungarn|Westungarn", "Bgl", "", ""},
    {kState, "Vorarlberg|Vbg|Vlbg|Vorarlberg (Österreich)", "Vbg", "", ""},
    {kState, "Wien|Vienna|Vienne|Viena|Wenen|Reichsgau Wien|Stadt Wien|Bundeshauptstadt Wien|W",
     "W", "", ""},
    {kState, "Tirol|Tyrol|Tirolo|Tyrolia|Gefürstete Grafschaft Tirol|Nordtirol|Nord-Tirol|Tirol (Österreich)|T",
     "T Vbg", "", "IT"},  // Vorarlberg was governed from Innsbruck until 1918
    {kState,
     "Kärnten|Kärnthen|Kaernten|Kaernthen|Karnten|Carinthia|Carinthie|Carinzia|Herzogtum Kärnten|Koroška|K",
     "K", "Lienz", "SI IT"},  // East Tyrol 1938 to 1945

    // The Reichsgaue of 1938 to 1945 that held more than a state.
    {kLand, "Niederdonau|Reichsgau Niederdonau", "NÖ Bgl", "", "CZ"},
    {kLand, "Oberdonau|Reichsgau Oberdonau", "OÖ", "Liezen", "CZ"},  // with the Ausseerland
    {kLand, "Tirol-Vorarlberg|Reichsgau Tirol-Vorarlberg", "T Vbg", "", ""},
    {kLand, "Groß-Wien|Gross-Wien|Großwien", "W", "Mödling|Bruck an der Leitha|Tulln|Sankt Pölten|Korneuburg|Gänserndorf|Baden", ""},
    {kLand, "Salzachkreis", "Sbg", "", ""},  // Salzburg as a part of Upper Austria, 1816 to 1849

    // The lands of the Hungarian crown held the Burgenland until 1921, in three counties.
    {kLand,
     "Ungarn|Hungary|Magyarország|Königreich Ungarn|Hungaria|Hongrie|Ungheria|Maďarsko|Węgry|Ungarische Krone|"
     "Transleithanien",
     "Bgl", "", "HU SK RO HR RS UA"},
    {kLand, "Ödenburg|Komitat Ödenburg|Sopron|Sopron vármegye|Sopron megye", "Bgl", "", "HU"},
    {kLand, "Wieselburg|Komitat Wieselburg|Moson|Moson vármegye|Moson megye|Wieselburg-Ungarisch Altenburg", "Bgl",
     "", "HU SK"},
    {kLand, "Eisenburg|Komitat Eisenburg|Vas|Vas vármegye|Vas megye", "Bgl", "", "HU SI"},

    {kLand, "Böhmen|Boehmen|Bohemia|Čechy|Cechy|Bohême|Boemia|Königreich Böhmen", "", "", "CZ"},
    {kLand, "Mähren|Maehren|Moravia|Morava|Moravie|Markgrafschaft Mähren", "", "", "CZ"},
    {kLand,
     "Schlesien|Silesia|Österreichisch-Schlesien|Österreichisch Schlesien|Austrian Silesia|Slezsko|Śląsk|"
     "Herzogtum Schlesien|Herzogtum Ober- und Niederschlesien",
     "", "", "CZ PL"},
    {kLand, "Galizien|Galicia|Galizia|Galicja|Halytschyna|Halychyna|Galizien und Lodomerien|Königreich Galizien und Lodomerien",
     "", "", "PL UA"},
    {kLand, "Bukowina|Bukovina|Bucovina|Bukovyna|Buchenland|Herzogtum Bukowina", "", "", "UA RO"},
    {kLand, "Krain|Carniola|Kranjska|Herzogtum Krain|Carniole", "", "", "SI"},
    {kLand, "Küstenland|Kuestenland|Littoral|Austrian Littoral|Österreichisches Küstenland|Primorska|Litorale", "",
     "", "SI IT HR"},
    {kLand, "Görz|Görz und Gradisca|Goerz|Gorizia|Gorica|Gefürstete Grafschaft Görz und Gradisca", "", "", "IT SI"},
    {kLand, "Triest|Trieste|Trst|Reichsunmittelbare Stadt Triest", "", "", "IT"},
    {kLand, "Istrien|Istria|Istra|Markgrafschaft Istrien", "", "", "HR SI IT"},
    {kLand, "Dalmatien|Dalmatia|Dalmacija|Dalmazia|Königreich Dalmatien", "", "", "HR ME"},
    {kLand,
     "Kroatien|Croatia|Hrvatska|Kroatien-Slawonien|Kroatien und Slawonien|Croatia-Slavonia|Slawonien|Slavonia|"
     "Slavonija|Königreich Kroatien und Slawonien",
     "", "", "HR RS"},
    {kLand, "Siebenbürgen|Siebenbuergen|Transylvania|Transilvania|Erdély|Ardeal|Großfürstentum Siebenbürgen", "", "",
     "RO"},
    {kLand, "Banat|Temescher Banat|Banat of Temeswar|Bánság", "", "", "RO RS HU"},
    {kLand, "Batschka|Bačka|Bácska|Woiwodina|Vojvodina", "", "", "RS HU"},
    {kLand, "Oberungarn|Upper Hungary|Felvidék|Zips|Spiš|Szepes", "", "", "SK UA HU PL"},
    {kLand, "Militärgrenze|Military Frontier|Vojna krajina", "", "", "HR RS RO"},
    {kLand,
     "Bosnien|Bosnia|Bosna|Bosnien-Herzegowina|Bosnien und Herzegowina|Bosnia and Herzegovina|"
     "Bosnia-Herzegovina|Herzegowina|Herzegovina",
     "", "", "BA"},
    {kLand,
     "Südtirol|Suedtirol|South Tyrol|Alto Adige|Trentino|Welschtirol|Trentino-Südtirol|Trentino-Alto Adige|"
     "Trentin|Deutschsüdtirol",
     "", "", "IT"},
    {kLand, "Untersteiermark|Unter-Steiermark|Lower Styria|Spodnja Štajerska", "", "", "SI"},
    {kLand, "Lombardei|Lombardy|Lombardia|Venetien|Venetia|Veneto|Lombardo-Venetien|Lombardy-Venetia", "", "", "IT"},

    {kCountry,
     "Tschechien|Czech Republic|Czechia|Česko|Česká republika|Ceska republika|Tschechische Republik|"
     "Tschechoslowakei|Czechoslovakia|ČSR|ČSSR|Protektorat Böhmen und Mähren",
     "", "", "CZ SK"},
    {kCountry, "Slowakei|Slovakia|Slovensko|Slowakische Republik", "", "", "SK"},
    {kCountry, "Slowenien|Slovenia|Slovenija", "", "", "SI"},
    {kCountry, "Polen|Poland|Polska|Pologne", "", "", "PL"},
    {kCountry, "Ukraine|Ukrajina|Ucraina", "", "", "UA"},
    {kCountry, "Rumänien|Rumaenien|Romania|România|Rumania|Roumania|Roumanie", "", "", "RO"},
    {kCountry, "Serbien|Serbia|Srbija", "", "", "RS"},
    {kCountry, "Montenegro|Crna Gora", "", "", "ME"},
    {kCountry, "Jugoslawien|Yugoslavia|Jugoslavija", "", "", "SI HR BA RS ME"},
    {kCountry, "Italien|Italy|Italia|Italie", "", "", "IT"},
    {kCountry,
     "Deutschland|Germany|Allemagne|Bundesrepublik Deutschland|BRD|DDR|Bayern|Bavaria|Preußen|Prussia|Sachsen|"
     "Saxony|Württemberg",
     "", "", "DE"},
    {kCountry, "Schweiz|Switzerland|Suisse|Svizzera|Liechtenstein", "", "", "CH LI"},

    {kRegion, "Pinzgau", "", "Zell am See", ""},
    {kRegion, "Pongau", "", "Sankt Johann im Pongau", ""},
    {kRegion, "Lungau", "", "Tamsweg", ""},
    {kRegion, "Tennengau", "", "Hallein", ""},
    {kRegion, "Flachgau", "", "Salzburg-Umgebung", ""},
    {kRegion, "Osttirol|Ost-Tirol|East Tyrol", "", "Lienz", ""},
    {kRegion, "Außerfern|Ausserfern", "", "Reutte", ""},
    {kRegion, "Innviertel|Innkreis", "", "Braunau am Inn|Ried im Innkreis|Schärding", ""},
    {kRegion, "Mühlviertel|Mühlkreis", "", "Freistadt|Perg|Rohrbach|Urfahr-Umgebung|Linz Stadt", ""},
    {kRegion, "Hausruckviertel|Hausruckkreis", "",
     "Eferding|Grieskirchen|Vöcklabruck|Wels Stadt|Wels-Land|Linz-Land|Linz Stadt", ""},
    {kRegion, "Traunviertel|Traunkreis", "",
     "Gmunden|Kirchdorf an der Krems|Steyr Stadt|Steyr-Land|Linz-Land|Wels-Land|Vöcklabruck", ""},
    {kRegion, "Salzkammergut", "", "Gmunden|Vöcklabruck|Liezen|Salzburg-Umgebung", ""},
    {kRegion, "Waldviertel|Viertel ober dem Manhartsberg|V.O.M.B.|VOMB|O.M.B.|OMB", "",
     "Gmünd|Horn|Krems|Krems an der Donau Stadt|Waidhofen an der Thaya|Zwettl|Melk|Hollabrunn|Tulln", ""},
    {kRegion, "Weinviertel|Viertel unter dem Manhartsberg|V.U.M.B.|VUMB|U.M.B.|UMB", "",
     "Gänserndorf|Hollabrunn|Korneuburg|Mistelbach|Tulln|Horn|Krems", ""},
    {kRegion, "Mostviertel|Viertel ober dem Wienerwald|V.O.W.W.|VOWW|O.W.W.|OWW", "",
     "Amstetten|Lilienfeld|Melk|Scheibbs|Sankt Pölten|Sankt Pölten Stadt|Tulln|Waidhofen an der Ybbs Stadt|Krems|"
     "Krems an der Donau Stadt|Baden",
     ""},
    {kRegion, "Industrieviertel|Viertel unter dem Wienerwald|V.U.W.W.|VUWW|U.W.W.|UWW", "",
     "Baden|Bruck an der Leitha|Mödling|Neunkirchen|Wiener Neustadt|Wiener Neustadt Stadt|Wien|Sankt Pölten|Tulln", ""},
    {kRegion, "Obersteiermark|Ober-Steiermark|Upper Styria", "", "Liezen|Murau|Murtal|Leoben|Bruck-Mürzzuschlag", ""},
    {kRegion, "Weststeiermark", "", "Voitsberg|Deutschlandsberg|Leibnitz|Graz-Umgebung", ""},
    {kRegion, "Oststeiermark", "", "Weiz|Hartberg-Fürstenfeld|Südoststeiermark|Graz-Umgebung", ""},
    {kRegion, "Ausseerland|Ausseer Land|Steirisches Salzkammergut|Ennstal", "", "Liezen", ""},
    {kRegion, "Lavanttal", "", "Wolfsberg", ""},
    {kRegion, "Gailtal", "", "Hermagor|Villach Land", ""},
    {kRegion, "Mölltal", "", "Spittal an der Drau", ""},
    {kRegion, "Montafon", "", "Bludenz", ""},
    {kRegion, "Bregenzerwald|Bregenzer Wald", "", "Bregenz", ""},
    {kRegion, "Zillertal", "", "Schwaz", ""},

    // Styria's reform of 2012 and 2013, and Lower Austria's district of Vienna's surroundings,
    // divided in 2017.
    {kFormerDistrict, "Judenburg|Bezirk Judenburg", "", "Murtal", ""},
    {kFormerDistrict, "Knittelfeld|Bezirk Knittelfeld", "", "Murtal", ""},
    {kFormerDistrict, "Bruck an der Mur|Bruck a.d. Mur|Bruck/Mur", "", "Bruck-Mürzzuschlag", ""},
    {kFormerDistrict, "Mürzzuschlag", "", "Bruck-Mürzzuschlag", ""},
    {kFormerDistrict, "Hartberg", "", "Hartberg-Fürstenfeld", ""},
    {kFormerDistrict, "Fürstenfeld", "", "Hartberg-Fürstenfeld", ""},
    {kFormerDistrict, "Feldbach", "", "Südoststeiermark", ""},
    {kFormerDistrict, "Radkersburg|Bad Radkersburg", "", "Südoststeiermark", ""},
    {kFormerDistrict, "Gröbming|Expositur Gröbming", "", "Liezen", ""},
    {kFormerDistrict, "Wien-Umgebung|Wien Umgebung|Wien-Land", "", "Bruck an der Leitha|Korneuburg|Sankt Pölten|Tulln|Baden", ""},
    {kFormerDistrict, "Sankt Pölten Land|Sankt Pölten-Land", "", "Sankt Pölten", ""},
};

constexpr std::string_view kViennaDistricts[] = {
    "Innere Stadt", "Leopoldstadt", "Landstraße", "Wieden",     "Margareten", "Mariahilf",
    "Neubau",       "Josefstadt",   "Alsergrund", "Favoriten",  "Simmering",  "Meidling",
    "Hietzing",     "Penzing",      "Rudolfsheim-Fünfhaus",     "Ottakring",  "Hernals",
    "Währing",      "Döbling",      "Brigittenau", "Floridsdorf", "Donaustadt", "Liesing",
};

constexpr FormerViennaDistrict kFormerViennaDistricts[] = {
    {"Rudolfsheim", 15}, {"Fünfhaus", 15}, {"Sechshaus", 15}, {"Stadt", 1}, {"Innere Stadt", 1},
};

constexpr Exonym kExonyms[] = {
    {"Vienna", "Wien"}, {"Vienne", "Wien"}, {"Viena", "Wien"}, {"Wenen", "Wien"}, {"Bécs", "Wien"},
    {"Dunaj", "Wien"},
};

constexpr std::string_view kJurisdictionWords[] = {
    "gefuerstete grafschaft", "politischer bezirk", "pol. bezirk", "pol. bez.", "gerichtsbezirk",
    "verwaltungsbezirk", "bezirkshauptmannschaft", "marktgemeinde", "stadtgemeinde", "ortsgemeinde",
    "katastralgemeinde", "erzherzogtum", "markgrafschaft", "koenigreich", "herzogtum", "grafschaft",
    "bundesland", "kronland", "reichsgau", "gemeinde", "pfarrei", "pfarre", "parish", "komitat",
    "bezirk", "bez.", "bh", "kg", "land", "district", "province", "county", "duchy", "kingdom",
};

constexpr std::string_view kSiteWords[] = {
    "schloss", "burg", "stift", "kloster", "dom", "palais", "palast", "rathaus", "hof", "haus", "nr.", "nr",
    "hausnummer", "hotel", "gasthof", "gasthaus", "bahnhof", "schule", "anstalt", "heim", "basilika",
    "kathedrale", "muenster", "klinik", "lazarett", "pfarrhof", "pfarramt", "church", "cemetery", "hospital",
};

constexpr std::string_view kSiteEndings[] = {
    "gruft", "kirche", "friedhof", "kapelle", "spital", "krankenhaus", "kaserne", "gebaerhaus",
    "gebaeranstalt", "findelhaus", "strasse", "str.", "gasse", "platz", "siechenhaus", "armenhaus",
};

}  // namespace

std::span<const NamedArea> NamedAreas() { return kAreas; }
std::span<const std::string_view> ViennaDistricts() { return kViennaDistricts; }
std::span<const FormerViennaDistrict> FormerViennaDistricts() { return kFormerViennaDistricts; }
std::span<const Exonym> PlaceExonyms() { return kExonyms; }
std::span<const std::string_view> JurisdictionWords() { return kJurisdictionWords; }
std::span<const std::string_view> SiteWords() { return kSiteWords; }
std::span<const std::string_view> SiteEndings() { return kSiteEndings; }

}  // namespace veldaris::ort
