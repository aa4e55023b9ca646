#include "tests/tools/json_writer.h"

namespace qsh::tools {

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasMember_.empty()) {
    if (hasMember_.back()) text_.push_back(',');
    hasMember_.back() = true;
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  text_.push_back('{');
  hasMember_.push_back(false);
}

void JsonWriter::EndObject() {
  if (!hasMember_.empty()) hasMember_.pop_back();
  text_.push_back('}');
}

void JsonWriter::BeginArray() {
  BeforeValue();
  text_.push_back('[');
  hasMember_.push_back(false);
}

void JsonWriter::EndArray() {
  if (!hasMember_.empty()) hasMember_.pop_back();
  text_.push_back(']');
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendQuoted(key);
  text_.push_back(':');
  afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendQuoted(utf8);
}

void JsonWriter::AppendQuoted(std::string_view utf8) {
  static constexpr char kDigits[] = "0123456789abcdef";
  text_.push_back('"');
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text_.push_back('\\');
      text_.push_back(c);
    } else if (byte < 0x20) {
      text_.append("\\u00");
      text_.push_back(kDigits[byte >> 4]);
      text_.push_back(kDigits[byte & 0x0F]);
    } else {
      text_.push_back(c);
    }
  }
  text_.push_back('"');
}

void JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_.append(std::to_string(value));
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_.append(value ? "true" : "false");
}

void JsonWriter::Null() {
  BeforeValue();
  text_.append("null");
}

}  // namespace qsh::tools
