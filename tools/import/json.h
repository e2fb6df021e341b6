// JSON as the open data's borders come (TopoJSON, GeoJSON): read whole into a tree of values.
// Enough for files of a few megabytes; numbers are read without the user's locale.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris::import {

class JsonValue {
 public:
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's, UTF-8
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue, std::less<>> members;

  bool Is(Kind k) const { return kind == k; }
  // A member of an object; a null value where there is none.
  const JsonValue& operator[](std::string_view name) const;
  const JsonValue& operator[](std::size_t index) const;
  std::size_t size() const { return kind == Kind::kArray ? items.size() : members.size(); }
  // A string member's text, or a number written as the file wrote it where it is one
  // ("iso": 90001 or "90001").
  std::string Text() const;
};

// Bytes that are no JSON: where (the byte's offset) and why.
class JsonError : public std::runtime_error {
 public:
  JsonError(std::size_t at, const std::string& what) : std::runtime_error(what), offset(at) {}
  std::size_t offset;
};

JsonValue ParseJson(std::string_view bytes);

}  // namespace veldaris::import
