#include "tools/import/json.h"

#include <charconv>

#include "core/text1252.h"

namespace veldaris::import {
namespace {

const JsonValue kNull;

class Parser {
 public:
  explicit Parser(std::string_view bytes) : s_(bytes) {}

  JsonValue Document() {
    if (s_.starts_with("\xEF\xBB\xBF")) at_ = 3;
    JsonValue value = Value(0);
    Blanks();
    if (at_ != s_.size()) Fail("after the value, more text");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { throw JsonError(at_, what); }
  void Blanks() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r')) ++at_;
  }
  bool Take(char c) {
    Blanks();
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected '") + c + "'");
  }
  bool Word(std::string_view word) {
    if (s_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > 64) Fail("nested too deeply");
    Blanks();
    if (at_ >= s_.size()) Fail("the text ends where a value was expected");
    JsonValue v;
    const char c = s_[at_];
    if (c == '{') {
      ++at_;
      v.kind = JsonValue::Kind::kObject;
      if (Take('}')) return v;
      do {
        Blanks();
        if (at_ >= s_.size() || s_[at_] != '"') Fail("expected a member's name");
        std::string name = String();
        Expect(':');
        v.members.insert_or_assign(std::move(name), Value(depth + 1));
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      ++at_;
      v.kind = JsonValue::Kind::kArray;
      if (Take(']')) return v;
      do v.items.push_back(Value(depth + 1));
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      v.kind = JsonValue::Kind::kString;
      v.text = String();
    } else if (Word("true")) {
      v.kind = JsonValue::Kind::kBool;
      v.boolean = true;
    } else if (Word("false")) {
      v.kind = JsonValue::Kind::kBool;
    } else if (Word("null")) {
    } else {
      v.kind = JsonValue::Kind::kNumber;
      const char* begin = s_.data() + at_;
      const auto [end, error] = std::from_chars(begin, s_.data() + s_.size(), v.number);
      if (error != std::errc() || end == begin) Fail("no value");
      v.text.assign(begin, end);
      at_ += static_cast<std::size_t>(end - begin);
    }
    return v;
  }

  unsigned Hex4() {
    if (at_ + 4 > s_.size()) Fail("a cut \\u escape");
    unsigned value = 0;
    const auto [end, error] = std::from_chars(s_.data() + at_, s_.data() + at_ + 4, value, 16);
    if (error != std::errc() || end != s_.data() + at_ + 4) Fail("a bad \\u escape");
    at_ += 4;
    return value;
  }

  std::string String() {
    ++at_;  // the opening quote
    std::string out;
    for (;;) {
      if (at_ >= s_.size()) Fail("a string without its end");
      const char c = s_[at_++];
      if (c == '"') return out;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (at_ >= s_.size()) Fail("a string without its end");
      switch (const char e = s_[at_++]) {
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'r': out.push_back('\r'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'u': {
          char32_t cp = Hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && Word("\\u")) {
            const unsigned low = Hex4();
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, cp);
          break;
        }
        default: out.push_back(e); break;  // \" \\ \/
      }
    }
  }

  std::string_view s_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view name) const {
  if (kind != Kind::kObject) return kNull;
  const auto at = members.find(name);
  return at == members.end() ? kNull : at->second;
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
  return kind == Kind::kArray && index < items.size() ? items[index] : kNull;
}

std::string JsonValue::Text() const { return kind == Kind::kString || kind == Kind::kNumber ? text : std::string(); }

JsonValue ParseJson(std::string_view bytes) { return Parser(bytes).Document(); }

}  // namespace veldaris::import
