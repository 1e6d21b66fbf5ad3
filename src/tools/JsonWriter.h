#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tilvaro {

// Builds one line of JSON text. Strings are taken as UTF-8 and always come out as valid UTF-8:
// every control character (U+0000..U+001F, U+007F..U+009F) is written as \u00XX so that the output
// cannot drive a terminal, and bytes that are not valid UTF-8 become U+FFFD. Calls must nest
// properly (a Key before every value inside an object); the writer adds the commas.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view utf8);
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Number(long long value);
  JsonWriter& Bool(bool value);

  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);

  std::string text_;
  std::vector<bool> empty_;  // per open object or array: nothing written in it yet
  bool afterKey_ = false;
};

// utf8 as a quoted JSON string, escaped as described above.
std::string JsonQuoted(std::string_view utf8);

}  // namespace tilvaro
