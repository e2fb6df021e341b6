#include "window/information.h"

#include "core/text1252.h"
#include "model/window_model.h"

namespace veldaris {
namespace {

constexpr const char* kOrganisation = "Arbeitsgruppe Veldaris (AGV)";
constexpr const char* kAuthor = "N. N.";
constexpr const char* kThanked = "N. N.";
constexpr const char* kContact = "korrekturen@veldaris.invalid";

// Lines joined by a carriage return alone.
std::string Join(std::initializer_list<std::string> lines) {
  std::string text;
  bool first = true;
  for (const std::string& line : lines) {
    if (!first) text += '\r';
    text += line;
    first = false;
  }
  return text;
}

}  // namespace

std::string InformationTitle() { return "    I N F O R M A T I O N  "; }

std::string InfoText() {
  const std::string cr = "\r";
  const std::string paragraph1 = Join(
      {Cp1252("Dieses Programm wurde vom derzeitigen Leiter der ") + kOrganisation,
       Cp1252(kAuthor) + Cp1252(" geschrieben und dient als Hilfe zur Veldaris in Österreich. "
                                "Die Richtigkeit"),
       Cp1252("der Angaben kann nicht garantiert werden. Derzeit sind über 21 000 Orte enthalten."),
       Cp1252("Besonderen Dank an Hr. ") + kThanked +
           Cp1252(" für das Lektieren und Korregieren der Daten.")});
  const std::string paragraph2 = Join(
      {Cp1252("Das Programm darf kostenlos kopiert und genutzt werden. Die Ortsdaten der "
              "vollständigen Datei: © GeoNames"),
       Cp1252("(www.geonames.org), CC BY 4.0; Gemeindestatus Stadt/Markt: Statistik Austria, "
              "CC BY 4.0.")});
  const std::string paragraph3 =
      Join({Cp1252("Die Daten selbst sind aus mehreren Quellen zusammengestellt worden. Als "
                   "Grundlage diente das "),
            Cp1252("Generalortsverzeichnis von Österreich (GOF), das durch viele Listen aus dem "
                   "Internet ergänzt"),
            Cp1252("wurde. Eine große Hilfe für Detailkorrekturen war das Kartenwerk auf CD vom "
                   "Bundesamt für "),
            Cp1252("Eich- und Vermessungswesen, >Amap< Version 2.")}) +
      cr + cr + Cp1252("Rückmeldungen, Korrekturen und Verbesserungvorschläge bitte an:") + cr +
      kContact;
  return paragraph1 + cr + cr + paragraph2 + cr + cr + paragraph3 + cr;
}

std::string QuotationLine() {
  return Cp1252(" Es ist ein gutes Land, wohl wert, dass sich ein Fürst sein unterwinde...") +
         "  F. Grillparzer.";
}

void ShowInformation(Window& w) { w.platform.ShowMessage(InformationTitle(), InfoText()); }

void ShowQuotation(Window& w) { w[Text16].SetText(QuotationLine()); }

}  // namespace veldaris
