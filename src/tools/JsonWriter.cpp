#include "tools/JsonWriter.h"

#include <cstdio>

#include "files/Utf8.h"

namespace tilvaro {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The next character; a byte that does not start a valid UTF-8 sequence stands for U+FFFD.
char32_t NextCharacter(std::string_view text, std::size_t& index) {
  if (const std::optional<char32_t> c = NextUtf8(text, index)) return *c;
  ++index;
  return kReplacement;
}

}  // namespace

std::string JsonQuoted(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t index = 0; index < utf8.size();) {
    const char32_t c = NextCharacter(utf8, index);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      AppendUtf8(out, c);
    }
  }
  out += '"';
  return out;
}

JsonWriter& JsonWriter::BeginObject() { return Open('{'); }
JsonWriter& JsonWriter::EndObject() { return Close('}'); }
JsonWriter& JsonWriter::BeginArray() { return Open('['); }
JsonWriter& JsonWriter::EndArray() { return Close(']'); }

JsonWriter& JsonWriter::Key(std::string_view utf8) {
  BeforeValue();
  text_ += JsonQuoted(utf8);
  text_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  text_ += JsonQuoted(utf8);
  return *this;
}

JsonWriter& JsonWriter::Number(long long value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!empty_.empty()) {
    if (!empty_.back()) text_ += ',';
    empty_.back() = false;
  }
}

JsonWriter& JsonWriter::Open(char bracket) {
  BeforeValue();
  text_ += bracket;
  empty_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  text_ += bracket;
  if (!empty_.empty()) empty_.pop_back();
  return *this;
}

}  // namespace tilvaro
