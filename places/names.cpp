#include "places/names.h"

#include <algorithm>
#include <utility>

namespace veldaris::places {
namespace {

using enum AreaKind;

// Where the monarchy's lands lie today: countries, or the first-level regions of GeoNames
// within them ("PL:77,80" for Lesser Poland and Subcarpathia).
constexpr std::string_view kMonarchy = "CZ SK SI HU HR BA PL:77,80,83 UA:03,06,15,22,25 RO:01,02,05,06,09,12,13,15,20,21,25,27,31,32,33,34,36 RS:VO ME:05,08,10,19 IT:06,09,17,20";

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
     "Cisleithanien|Ostmark|Autriche|Rakousko|Ausztria|Austria-Ungheria|Österreichische Monarchie|"
     // Other languages, and the short forms records use.
     "Rakúsko|Avstrija|Austrija|Avstriia|Avstriya|Oostenrijk|Áustria|Autriche-Hongrie|Rakousko-Uhersko|"
     "Rakúsko-Uhorsko|Austro-Węgry|Osztrák–Magyar Monarchia|Avstro-Ogrska|Austro-Ugarska|Oostenrijk-Hongarije|"
     "Austria-Hungría|Áustria-Hungria|Aus|Öst.|Oest.|Oe.|Ö.|AT|A",
     "NÖ OÖ Sbg Stmk Bgl Vbg W T K", "", kMonarchy},

    {kState,
     "Niederösterreich|Nieder-Österreich|Niederoesterreich|NÖ|N.Ö.|NOe|N.Oe.|Lower Austria|"
     "Österreich unter der Enns|Oesterreich unter der Enns|Erzherzogtum Österreich unter der Enns|"
     "Österreich unter der Ens|unter der Enns|Land unter der Enns|Unterösterreich|Basse-Autriche|"
     "Dolní Rakousy|Bassa Austria|Dolné Rakúsko|Dolna Austria|Alsó-Ausztria|Spodnja Avstrija|Donja Austrija|"
     "Neder-Oostenrijk|Baja Austria|Baixa Áustria|Nyzhnia Avstriia",
     "NÖ W", "", "", "NOE"},  // Vienna was a part of Lower Austria until 1922; Feldsberg too, until 1920
    {kState,
     "Oberösterreich|Ober-Österreich|Oberoesterreich|OÖ|O.Ö.|OOe|O.Oe.|Upper Austria|"
     "Österreich ob der Enns|Oesterreich ob der Enns|Erzherzogtum Österreich ob der Enns|"
     "Österreich ob der Ens|ob der Enns|Land ob der Enns|Haute-Autriche|Horní Rakousy|Alta Austria|"
     "Horné Rakúsko|Górna Austria|Felső-Ausztria|Zgornja Avstrija|Gornja Austrija|Opper-Oostenrijk|Alta Áustria|"
     "Verkhnia Avstriia",
     "OÖ", "", "", "OOE"},
    {kState,
     "Salzburg|Land Salzburg|Herzogtum Salzburg|Salzburger Land|Salzburgerland|Sbg|Slbg|Salzbourg|Salisburgo|"
     "Salcbursko|Salzbursko|Salzburška|Salzburgo",
     "Sbg", "", "", "SBG"},
    {kState,
     "Steiermark|Steyermark|Steiermarck|Steyermarck|Steyrmark|Stmk|Stmk.|Styria|Stiria|Herzogtum Steiermark|Štajerska|"
     "Stájerország|Styrie|Štýrsko|Štajersko|Stiermarken|Estiria|Estíria",
     "Stmk", "Güssing|Jennersdorf|Oberwart", "", "STM"},  // the south of the Burgenland 1938 to 1945
    {kState, "Burgenland|Bgld|Bgld.|Bgl|Deutsch-Westungarn|Deutschwestungarn|Westungarn|Őrvidék|Gradišće|Gradiščanska",
     "Bgl", "", ""},
    {kState, "Vorarlberg|Vbg|Vlbg|Vorarlberg (Österreich)|Voralberg|Vorarlbersko", "Vbg", "", "", "VBG"},
    {kState,
     "Wien|Vienna|Vienne|Viena|Wenen|Reichsgau Wien|Stadt Wien|Bundeshauptstadt Wien|Wien Stadt|W|Vídeň|Viedeň|"
     "Wiedeń|Bécs|Dunaj|Beč|Viden",
     "W", "", ""},
    {kState,
     "Tirol|Tyrol|Tirolo|Tyrolia|Gefürstete Grafschaft Tirol|Nordtirol|Nord-Tirol|Tirol (Österreich)|T|Tyrolsko|"
     "Tirolsko|Tirolska",
     "T Vbg", "", "", "TIR"},  // Vorarlberg was governed from Innsbruck until 1918
    {kState,
     "Kärnten|Kärnthen|Kaernten|Kaernthen|Karnten|Carinthia|Carinthie|Carinzia|Herzogtum Kärnten|Koroška|K|"
     "Korutany|Korutánsko|Karyntia|Karintia|Koruška|Karinthië|Carintia|Caríntia",
     "K", "Lienz", "", "KTN"},  // East Tyrol 1938 to 1945

    // The Reichsgaue of 1938 to 1945 that held more than a state.
    {kLand, "Niederdonau|Reichsgau Niederdonau", "NÖ Bgl", "", "CZ:78,79"},
    {kLand, "Oberdonau|Reichsgau Oberdonau", "OÖ", "Liezen", "CZ:79,87"},  // with the Ausseerland
    {kLand, "Tirol-Vorarlberg|Reichsgau Tirol-Vorarlberg", "T Vbg", "", ""},
    {kLand, "Groß-Wien|Gross-Wien|Großwien", "W", "Mödling|Bruck an der Leitha|Tulln|Sankt Pölten|Korneuburg|Gänserndorf|Baden", ""},
    {kLand, "Salzachkreis", "Sbg", "", ""},  // Salzburg as a part of Upper Austria, 1816 to 1849

    // The lands of the Hungarian crown held the Burgenland until 1921, in three counties.
    {kLand,
     "Ungarn|Hungary|Magyarország|Königreich Ungarn|Hungaria|Hongrie|Ungheria|Maďarsko|Węgry|Ungarische Krone|"
     "Transleithanien|Madžarska|Mađarska|Hongarije|Hungría|Hungria|Uhorsko|Uhersko|Uhorské kráľovstvo",
     "Bgl", "", "", "HUN CRO FIU"},
    {kLand, "Ödenburg|Komitat Ödenburg|Sopron|Sopron vármegye|Sopron megye", "Bgl", "", "HU", "HUN"},
    {kLand, "Wieselburg|Komitat Wieselburg|Moson|Moson vármegye|Moson megye|Wieselburg-Ungarisch Altenburg", "Bgl",
     "", "HU SK", "HUN"},
    {kLand, "Eisenburg|Komitat Eisenburg|Vas|Vas vármegye|Vas megye", "Bgl", "", "HU SI", "HUN"},

    {kLand, "Böhmen|Boehmen|Bohemia|Čechy|Cechy|Bohême|Boemia|Königreich Böhmen|Czechy|Csehország|Češka|Bohemen|Boêmia",
     "", "", "", "BOH"},
    {kLand, "Mähren|Maehren|Moravia|Morava|Moravie|Markgrafschaft Mähren|Morawy|Morvaország|Moravië|Morávia", "", "",
     "", "MOR"},
    {kLand,
     "Schlesien|Silesia|Österreichisch-Schlesien|Österreichisch Schlesien|Austrian Silesia|Slezsko|Śląsk|"
     "Herzogtum Schlesien|Herzogtum Ober- und Niederschlesien|Szilézia|Slesia|Silésie|Silezië|Silesia austriaca|"
     "Śląsk Cieszyński|Těšínsko",
     "", "", "", "SIL"},
    // Prussian Silesia, and Prussia's Upper Silesia as Poland's today: outside the monarchy.
    {kLand,
     "Preußisch-Schlesien|Preußisch Schlesien|Preussisch-Schlesien|Prussian Silesia|Niederschlesien|Nieder-Schlesien|"
     "Lower Silesia|Dolny Śląsk|Dolnośląskie|Oberschlesien|Ober-Schlesien|Upper Silesia|Górny Śląsk|Polnisch-Schlesien|"
     "Polnisch Schlesien|Polnisch Oberschlesien|Opolskie|Oppeln|Regierungsbezirk Oppeln|Regierungsbezirk Breslau|"
     "Regierungsbezirk Liegnitz|Provinz Schlesien",
     "", "", "PL CZ", "-"},
    {kLand,
     "Galizien|Galicia|Galizia|Galicja|Halytschyna|Halychyna|Galizien und Lodomerien|Königreich Galizien und Lodomerien|"
     "Galícia|Halič|Halicz|Galicie|Galicië|Galitzia|Halytchyna|Galicia Austriacka",
     "", "", "", "GAL"},
    {kLand, "Bukowina|Bukovina|Bucovina|Bukovyna|Buchenland|Herzogtum Bukowina|Bukowiny", "", "", "", "BUK"},
    {kLand, "Krain|Carniola|Kranjska|Herzogtum Krain|Carniole|Krajna|Kraňsko|Krainia|Kranjsko", "", "", "", "KRN"},
    {kLand, "Küstenland|Kuestenland|Littoral|Austrian Littoral|Österreichisches Küstenland|Primorska|Litorale", "",
     "", "", "GOR IST TRI"},
    {kLand, "Görz|Görz und Gradisca|Goerz|Gorizia|Gorica|Gefürstete Grafschaft Görz und Gradisca", "", "", "", "GOR"},
    {kLand, "Triest|Trieste|Trst|Reichsunmittelbare Stadt Triest", "", "", "", "TRI"},
    {kLand, "Istrien|Istria|Istra|Markgrafschaft Istrien", "", "", "", "IST"},
    {kLand, "Dalmatien|Dalmatia|Dalmacija|Dalmazia|Königreich Dalmatien", "", "", "", "DAL"},
    {kLand,
     "Kroatien|Croatia|Hrvatska|Kroatien-Slawonien|Kroatien und Slawonien|Croatia-Slavonia|Slawonien|Slavonia|"
     "Slavonija|Königreich Kroatien und Slawonien",
     "", "", "", "CRO FIU"},
    {kLand, "Siebenbürgen|Siebenbuergen|Transylvania|Transilvania|Erdély|Ardeal|Großfürstentum Siebenbürgen", "", "",
     "RO:01,02,05,06,09,13,15,20,21,25,27,31,32,33", "HUN"},
    {kLand, "Banat|Temescher Banat|Banat of Temeswar|Bánság", "", "", "RO:02,12,36 RS:VO HU", "HUN CRO"},
    {kLand, "Batschka|Bačka|Bácska|Woiwodina|Vojvodina", "", "", "RS:VO HU", "HUN CRO"},
    {kLand, "Oberungarn|Upper Hungary|Felvidék|Zips|Spiš|Szepes", "", "", "SK UA:25 HU", "HUN"},
    {kLand, "Militärgrenze|Military Frontier|Vojna krajina", "", "", "HR RS:VO RO:12,36", "CRO HUN"},
    {kLand,
     "Bosnien|Bosnia|Bosna|Bosnien-Herzegowina|Bosnien und Herzegowina|Bosnia and Herzegovina|"
     "Bosnia-Herzegovina|Herzegowina|Herzegovina",
     "", "", "", "BOS"},
    {kLand,
     "Südtirol|Suedtirol|South Tyrol|Alto Adige|Trentino|Welschtirol|Trentino-Südtirol|Trentino-Alto Adige|"
     "Trentin|Deutschsüdtirol",
     "", "", "IT", "TIR"},
    {kLand, "Untersteiermark|Unter-Steiermark|Lower Styria|Spodnja Štajerska", "", "", "SI", "STM"},
    {kLand, "Lombardei|Lombardy|Lombardia|Venetien|Venetia|Veneto|Lombardo-Venetien|Lombardy-Venetia", "", "", "IT:09,20"},
    {kLand, "Fiume|Rijeka|Freie Stadt Fiume", "", "", "", "FIU"},

    // Today's regions of the successor states, as German records name them, in English and in
    // their own language (Who's On First's names of them, with their type words, are read
    // from the places themselves). The German ones are used loosely: each takes in the regions
    // beside it that records give it too (Proßnitz, in the region of Olomouc, "Südmähren").
    {kLand, "Südböhmen|Suedboehmen|South Bohemia|Jižní Čechy|Jihočeský kraj|Jihočeský", "", "", "CZ:79,80", ""},
    {kLand, "Westböhmen|Westboehmen|West Bohemia|Západní Čechy", "", "", "CZ:81,87", ""},
    {kLand, "Nordböhmen|Nordboehmen|North Bohemia|Severní Čechy", "", "", "CZ:83,89", ""},
    {kLand, "Ostböhmen|Ostboehmen|East Bohemia|Východní Čechy", "", "", "CZ:82,86", ""},
    {kLand, "Mittelböhmen|Mittelboehmen|Zentralböhmen|Zentralboehmen|Central Bohemia|Střední Čechy|Středočeský kraj",
     "", "", "CZ:52,88", ""},
    {kLand, "Südmähren|Suedmaehren|South Moravia|Jižní Morava|Jihomoravský kraj", "", "", "CZ:78,80,84,90", ""},
    {kLand, "Nordmähren|Nordmaehren|North Moravia|Severní Morava", "", "", "CZ:84,85,90", ""},
    {kLand, "Mährisch-Schlesien|Mährisch Schlesien|Maehrisch-Schlesien|Moravian-Silesian|Moravia-Silesia|"
     "Moravskoslezský kraj|Moravskoslezský",
     "", "", "CZ:84,85", ""},
    {kLand, "Sudetenland|Sudeten", "", "", "CZ", "BOH MOR SIL"},
    {kLand, "Westslowakei|West Slovakia|Západné Slovensko", "", "", "SK:02,04,06,07", ""},
    {kLand, "Mittelslowakei|Central Slovakia|Stredné Slovensko", "", "", "SK:01,08", ""},
    {kLand, "Ostslowakei|East Slovakia|Východné Slovensko", "", "", "SK:03,05", ""},
    {kLand, "Karpatenukraine|Karpato-Ukraine|Transkarpatien|Zakarpattia|Transcarpathia|Zakarpatská Ukrajina", "", "",
     "UA:25", ""},
    {kLand, "Westgalizien|West-Galizien|West Galicia|Western Galicia|Galicja Zachodnia", "", "", "PL", "GAL"},
    {kLand, "Ostgalizien|Ost-Galizien|East Galicia|Eastern Galicia|Galicja Wschodnia|Skhidna Halychyna", "", "",
     "UA PL:80", "GAL"},
    {kLand, "Kleinpolen|Lesser Poland|Małopolska|Małopolskie|Województwo małopolskie", "", "", "PL:77", ""},
    {kLand, "Karpatenvorland|Vorkarpatenland|Subcarpathia|Podkarpacie|Podkarpackie|Województwo podkarpackie", "", "",
     "PL:80", ""},
    {kLand, "Oberkrain|Upper Carniola|Gorenjska", "", "", "SI", "KRN"},
    {kLand, "Unterkrain|Lower Carniola|Dolenjska", "", "", "SI", "KRN"},
    {kLand, "Innerkrain|Inner Carniola|Notranjska", "", "", "SI", "KRN"},
    {kLand, "Friaul-Julisch Venetien|Friaul-Julisch-Venetien|Friaul|Friuli-Venezia Giulia|Friuli Venezia Giulia|Friuli|"
     "Julisch Venetien|Venezia Giulia",
     "", "", "IT:06", ""},

    {kCountry,
     "Tschechien|Czech Republic|Czechia|Česko|Česká republika|Ceska republika|Tschechische Republik|"
     "Protektorat Böhmen und Mähren",
     "", "", "CZ SK"},
    // The countries as they were between the wars, when emigrants' records named them: Poland
    // with East Galicia (Lwów, Tarnopol, Stanisławów), Romania with the Bukovina (Cernăuți),
    // Czechoslovakia with Subcarpathian Ruthenia (Užhorod).
    {kCountry, "Tschechoslowakei|Czechoslovakia|Tchécoslovaquie|Československo|ČSR|ČSSR", "", "", "CZ SK UA:25"},
    {kCountry, "Slowakei|Slovakia|Slovensko|Slowakische Republik", "", "", "SK"},
    {kCountry, "Slowenien|Slovenia|Slovenija", "", "", "SI"},
    {kCountry, "Polen|Poland|Polska|Pologne", "", "", "PL UA:06,15,22"},
    {kCountry, "Ukraine|Ukrajina|Ucraina", "", "", "UA"},
    {kCountry, "Rumänien|Rumaenien|Romania|România|Rumania|Roumania|Roumanie", "", "", "RO UA:03"},
    {kCountry, "Serbien|Serbia|Srbija", "", "", "RS"},
    {kCountry, "Montenegro|Crna Gora", "", "", "ME"},
    {kCountry, "Jugoslawien|Yugoslavia|Jugoslavija", "", "", "SI HR BA RS ME"},
    {kCountry, "Italien|Italy|Italia|Italie", "", "", "IT"},
    // Countries that held none of the monarchy's lands: named, so that a value that names one
    // is known to lie outside Austria.
    {kCountry,
     "Deutschland|Germany|Allemagne|Bundesrepublik Deutschland|BRD|DDR|Bayern|Bavaria|Preußen|Prussia|Sachsen|"
     "Saxony|Württemberg",
     "", "", ""},
    {kCountry, "Schweiz|Switzerland|Suisse|Svizzera|Liechtenstein", "", "", ""},
    // And the countries emigrants went to, as their trees write them.
    {kCountry,
     "USA|U.S.A.|US|United States|United States of America|Vereinigte Staaten|Amerika|America|Estados Unidos|"
     "États-Unis|Kanada|Canada|Brasilien|Brazil|Brasil|Argentinien|Argentina|Chile|Mexiko|Mexico|México|"
     "Australien|Australia|Neuseeland|New Zealand|Südafrika|South Africa",
     "", "", ""},
    {kCountry,
     "Frankreich|France|England|Schottland|Scotland|Irland|Ireland|Großbritannien|Great Britain|United Kingdom|"
     "UK|Niederlande|Netherlands|Holland|Nederland|Belgien|Belgium|Belgique|Luxemburg|Luxembourg|Dänemark|"
     "Denmark|Schweden|Sweden|Norwegen|Norway|Spanien|Spain|España|Portugal|Russland|Russia|Rossija|Türkei|"
     "Turkey|Bulgarien|Bulgaria|Griechenland|Greece",
     "", "", ""},

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
    {"Dunaj", "Wien"},  {"Vídeň", "Wien"}, {"Viedeň", "Wien"}, {"Wiedeń", "Wien"}, {"Beč", "Wien"},
    {"Viden", "Wien"},  {"Wien Stadt", "Wien"},
};

constexpr std::string_view kJurisdictionWords[] = {
    "gefuerstete grafschaft", "politischer bezirk", "pol. bezirk", "pol. bez.", "gerichtsbezirk",
    "verwaltungsbezirk", "bezirkshauptmannschaft", "marktgemeinde", "stadtgemeinde", "ortsgemeinde",
    "katastralgemeinde", "erzherzogtum", "markgrafschaft", "koenigreich", "herzogtum", "grafschaft",
    "bundesland", "kronland", "reichsgau", "gemeinde", "pfarrei", "pfarre", "parish", "komitat",
    "bezirk", "bez.", "bh", "kg", "land", "kreis", "okres", "powiat", "megye", "judet", "provincia",
    "gem.", "pf.", "pfr.",
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

constexpr std::pair<std::string_view, std::string_view> kCountryNames[] = {
    {"AT", "Österreich"}, {"CZ", "Tschechien"}, {"SK", "Slowakei"}, {"SI", "Slowenien"},
    {"PL", "Polen"},      {"UA", "Ukraine"},    {"HU", "Ungarn"},   {"RO", "Rumänien"},
    {"HR", "Kroatien"},   {"BA", "Bosnien und Herzegowina"},        {"RS", "Serbien"},
    {"ME", "Montenegro"}, {"IT", "Italien"},    {"DE", "Deutschland"}, {"CH", "Schweiz"},
    {"LI", "Liechtenstein"}, {"US", "USA"}, {"CA", "Kanada"}, {"BR", "Brasilien"}, {"AR", "Argentinien"},
    {"AU", "Australien"}, {"NZ", "Neuseeland"}, {"ZA", "Südafrika"}, {"CL", "Chile"}, {"MX", "Mexiko"},
    {"FR", "Frankreich"}, {"GB", "Vereinigtes Königreich"}, {"IE", "Irland"}, {"NL", "Niederlande"},
    {"BE", "Belgien"}, {"LU", "Luxemburg"}, {"DK", "Dänemark"}, {"SE", "Schweden"}, {"NO", "Norwegen"},
    {"FI", "Finnland"}, {"ES", "Spanien"}, {"PT", "Portugal"}, {"GR", "Griechenland"}, {"BG", "Bulgarien"},
    {"RU", "Russland"}, {"BY", "Belarus"}, {"LT", "Litauen"}, {"LV", "Lettland"}, {"EE", "Estland"},
    {"MD", "Moldau"}, {"TR", "Türkei"}, {"IL", "Israel"}, {"AL", "Albanien"}, {"MK", "Nordmazedonien"},
    {"XK", "Kosovo"},
};

constexpr CrownLand kCrownLands[] = {
    {"BOH", "Böhmen", "Königreich Böhmen", "MOR SIL"},
    {"MOR", "Mähren", "Markgrafschaft Mähren", "BOH SIL"},
    {"SIL", "Schlesien", "Herzogtum Ober- und Niederschlesien", "BOH MOR GAL"},
    {"GAL", "Galizien", "Königreich Galizien und Lodomerien", "BUK SIL"},
    {"BUK", "Bukowina", "Herzogtum Bukowina", "GAL"},
    {"NOE", "Niederösterreich", "Erzherzogtum Österreich unter der Enns", "OOE MOR BOH"},
    {"OOE", "Oberösterreich", "Erzherzogtum Österreich ob der Enns", "NOE BOH SBG"},
    {"SBG", "Salzburg", "Herzogtum Salzburg", "OOE TIR"},
    {"STM", "Steiermark", "Herzogtum Steiermark", "KTN KRN"},
    {"KTN", "Kärnten", "Herzogtum Kärnten", "STM KRN GOR"},
    {"KRN", "Krain", "Herzogtum Krain", "STM KTN GOR IST TRI"},
    {"TIR", "Tirol", "Gefürstete Grafschaft Tirol", "VBG SBG"},
    {"VBG", "Vorarlberg", "Land Vorarlberg", "TIR"},
    {"GOR", "Görz und Gradisca", "Gefürstete Grafschaft Görz und Gradisca", "KRN TRI IST KTN"},
    {"IST", "Istrien", "Markgrafschaft Istrien", "KRN TRI GOR FIU"},
    {"TRI", "Triest", "Triest mit Gebiet", "GOR IST KRN"},
    {"DAL", "Dalmatien", "Königreich Dalmatien", "CRO BOS"},
    {"HUN", "Ungarn", "Königreich Ungarn", "CRO FIU"},
    {"CRO", "Kroatien-Slawonien", "Königreich Kroatien und Slawonien", "HUN FIU DAL"},
    {"FIU", "Fiume", "Freie Stadt Fiume mit Gebiet", "CRO HUN IST"},
    {"BOS", "Bosnien-Herzegowina", "Bosnien und Herzegowina", "DAL CRO"},
};

constexpr std::string_view kRegionTypeWords[] = {
    "wojewodztwo", "woj.", "woj", "voivodeship", "voivodship", "powiat", "pow.", "county", "kraj", "okres", "district",
    "oblast", "obl.", "oblast'", "rajon", "raion", "rayon", "megye", "varmegye", "vm.", "zupa", "zupanija", "provincia",
    "province", "provinz", "judet", "judetul", "comitat", "komitat", "gmina", "region", "landkreis", "kreis", "bezirk",
    "okrug", "kotar", "opcina", "obcina", "comune", "di", "of", "de", "del", "della",
};

}  // namespace

std::span<const std::string_view> RegionTypeWords() { return kRegionTypeWords; }
std::span<const NamedArea> NamedAreas() { return kAreas; }
std::span<const CrownLand> CrownLands() { return kCrownLands; }
const CrownLand* FindCrownLand(std::string_view code) {
  for (const CrownLand& land : kCrownLands)
    if (land.code == code) return &land;
  return nullptr;
}
std::string_view MonarchyExtent() { return kMonarchy; }

std::string_view CountryName(std::string_view code) {
  for (const auto& [iso, name] : kCountryNames)
    if (iso == code) return name;
  return code;
}

bool InExtent(std::string_view extent, std::string_view country, std::string_view region) {
  for (std::size_t from = 0; from < extent.size();) {
    const std::size_t end = std::min(extent.find(' ', from), extent.size());
    const std::string_view item = extent.substr(from, end - from);
    from = end + 1;
    if (!item.starts_with(country) || (item.size() > country.size() && item[country.size()] != ':')) continue;
    if (item.size() == country.size()) return true;
    for (std::string_view regions = item.substr(country.size() + 1); !regions.empty();) {
      const std::size_t comma = std::min(regions.find(','), regions.size());
      if (regions.substr(0, comma) == region) return true;
      regions.remove_prefix(std::min(comma + 1, regions.size()));
    }
  }
  return false;
}
std::span<const std::string_view> ViennaDistricts() { return kViennaDistricts; }
std::span<const FormerViennaDistrict> FormerViennaDistricts() { return kFormerViennaDistricts; }
std::span<const Exonym> PlaceExonyms() { return kExonyms; }
std::span<const std::string_view> JurisdictionWords() { return kJurisdictionWords; }
std::span<const std::string_view> SiteWords() { return kSiteWords; }
std::span<const std::string_view> SiteEndings() { return kSiteEndings; }

}  // namespace veldaris::places
