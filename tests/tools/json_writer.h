#pragma once
// Builds one JSON document in memory; keys and strings are UTF-8. Commas are
// placed by the writer, so callers only open, fill and close.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qsh::tools {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Names the next value inside an object.
  void Key(std::string_view key);

  void String(std::string_view utf8);
  void Number(std::int64_t value);
  void Bool(bool value);
  void Null();

  // Key and value in one call.
  void Field(std::string_view key, std::string_view utf8) { Key(key); String(utf8); }
  void Field(std::string_view key, const char* utf8) { Key(key); String(utf8); }
  void Field(std::string_view key, std::int64_t value) { Key(key); Number(value); }
  void Field(std::string_view key, bool value) { Key(key); Bool(value); }

  [[nodiscard]] const std::string& Text() const noexcept { return text_; }

 private:
  void BeforeValue();
  void AppendQuoted(std::string_view utf8);

  std::string text_;
  // One entry per open object or array: whether it has a member yet.
  std::vector<bool> hasMember_;
  bool afterKey_ = false;
};

}  // namespace qsh::tools
