#include "tools/PrintableText.h"

#include <algorithm>
#include <cstdio>

#include "files/Cp1252.h"
#include "files/Utf8.h"

namespace tilvaro {
namespace {

bool IsControl(char32_t character) { return character < 0x20 || (character >= 0x7F && character <= 0x9F); }

void AppendEscaped(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
    out += escaped;
  }
}

}  // namespace

std::string Printable(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::string_view byte = bytes.substr(i, 1);
    if (IsControl(cp1252::ToUnicode(static_cast<unsigned char>(byte[0])))) AppendEscaped(out, byte);
    else out += cp1252::DecodeToUtf8(byte);
  }
  return out;
}

std::string PrintableName(std::string_view name) {
  std::string out;
  for (std::size_t pos = 0; pos < name.size();) {
    const std::size_t start = pos;
    const std::optional<char32_t> character = NextUtf8(name, pos);
    if (!character) {
      AppendEscaped(out, name.substr(pos++, 1));
    } else if (IsControl(*character)) {
      AppendEscaped(out, name.substr(start, pos - start));
    } else {
      out.append(name.substr(start, pos - start));
    }
  }
  return out;
}

std::string PrintableLines(std::string_view text) {
  std::string out;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (start > 0) out += '\n';
    out += PrintableName(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

}  // namespace tilvaro
