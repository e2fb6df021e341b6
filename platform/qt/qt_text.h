// Conversion between the program's Windows-1252 texts and Qt's Unicode strings.
#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

namespace veldaris {

QString ToQString(std::string_view text1252);
// The tree window's texts, which are UTF-8.
QString FromUtf8(std::string_view utf8);
// Nothing when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> FromQString(const QString& text);

// Accepts only texts that Windows-1252 can hold: any other typed or pasted character is not
// inserted.
class Windows1252Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace veldaris
