#include "platform/qt/qt_text.h"

#include "core/text1252.h"

namespace veldaris {

QString ToQString(std::string_view text1252) {
  QString text;
  text.reserve(static_cast<qsizetype>(text1252.size()));
  for (char c : text1252)
    text.append(QChar(static_cast<char16_t>(Windows1252ToUnicode(static_cast<unsigned char>(c)))));
  return text;
}

std::optional<std::string> FromQString(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) {
    const auto byte = UnicodeToWindows1252(c.unicode());  // a surrogate half never maps
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

QValidator::State Windows1252Validator::validate(QString& input, int&) const {
  return FromQString(input) ? Acceptable : Invalid;
}

QString FromUtf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace veldaris
