// Fuzzes the profile reader and writer: any bytes must parse without a crash or a hang; every lookup
// must agree with a plain top-to-bottom scan by the same line rules; writes must be found again, both
// in memory and after the text is parsed anew; and ReadNumber's parser must agree with a reference.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "profile/ProfileDocument.h"
#include "profile/ProfileNumber.h"
#include "profile/ProfileScan.h"
#include "profile/ProfileText.h"

namespace {

namespace pt = tilvaro::profile_text;

// The first section of the name, then the first key of the name in it; lines before any section
// belong to none.
std::optional<std::string_view> ScanFor(std::string_view text, std::string_view section, std::string_view key) {
  section = pt::CutAtNul(section);  // the names asked for are C strings
  key = pt::CutAtNul(key);
  bool firstLine = true, inSection = false, sectionSeen = false;
  std::size_t pos = 0, endLength = 0;
  while (pos < text.size()) {
    std::string_view line = pt::NextLine(text, pos, endLength);
    if (firstLine) line.remove_prefix(pt::ByteOrderMarkLength(line));
    firstLine = false;
    const pt::ParsedLine parsed = pt::ParseLine(line);
    if (parsed.kind == pt::LineKind::Section) {
      if (sectionSeen) return std::nullopt;
      inSection = pt::NamesEqual(parsed.name, section);
      sectionSeen = inSection;
    } else if (inSection && parsed.kind == pt::LineKind::Key && pt::NamesEqual(parsed.name, key)) {
      return pt::Unquote(parsed.value);
    }
  }
  return std::nullopt;
}

// The one-pass scan's answer (as the store's single reads use it).
std::optional<std::string_view> ScanOnce(std::string_view text, std::string_view section, std::string_view key) {
  const std::string_view sections[] = {pt::CutAtNul(section)};
  key = pt::CutAtNul(key);
  std::optional<std::string_view> value;
  tilvaro::profile_scan::ScanSections(text, sections, [&](std::size_t, std::string_view name, std::string_view raw) {
    if (!value && pt::NamesEqual(name, key)) value = pt::Unquote(raw);
  });
  return value;
}

// Every (section, key) pair the text names, at most `limit`.
std::vector<std::pair<std::string, std::string>> NamesIn(std::string_view text, std::size_t limit) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string section;
  bool firstLine = true;
  std::size_t pos = 0, endLength = 0;
  while (pos < text.size() && names.size() < limit) {
    std::string_view line = pt::NextLine(text, pos, endLength);
    if (firstLine) line.remove_prefix(pt::ByteOrderMarkLength(line));
    firstLine = false;
    const pt::ParsedLine parsed = pt::ParseLine(line);
    if (parsed.kind == pt::LineKind::Section) section = std::string(parsed.name);
    if (parsed.kind == pt::LineKind::Key) names.emplace_back(section, std::string(parsed.name));
  }
  return names;
}

std::optional<std::int32_t> ReferenceNumber(std::string text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  text = text.substr(start);
  const bool hex = text[0] == '$';
  bool negative = false;
  std::string digits;
  if (hex) {
    digits = text.substr(1);
  } else {
    negative = text[0] == '-';
    digits = (text[0] == '-' || text[0] == '+') ? text.substr(1) : text;
  }
  if (digits.empty()) return std::nullopt;
  for (const char c : digits) {
    const bool ok = hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '9');
    if (!ok) return std::nullopt;
  }
  digits = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.size() > (hex ? 8u : 10u)) return std::nullopt;
  if (digits.empty()) return 0;
  const long long value = std::stoll(digits, nullptr, hex ? 16 : 10);
  if (hex) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  const long long signedValue = negative ? -value : value;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(signedValue);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const std::string firstLine = text.substr(0, std::min<std::size_t>(text.find_first_of("\r\n"), 40));
  const auto number = tilvaro::ParseProfileNumber(firstLine);
  Check(number == ReferenceNumber(firstLine));
  if (number) Check(tilvaro::ParseProfileNumber(tilvaro::FormatProfileNumber(*number)) == number);

  tilvaro::ProfileDocument document{std::string(text)};
  Check(document.Text() == text);
  Check(document.Size() == text.size());

  auto names = NamesIn(text, 64);
  names.emplace_back("no such section", "k");
  if (!names.empty()) names.emplace_back(names.front().first, "no such key");
  // Forward, then backward, so that the read cursor meets both orders.
  for (const auto& [section, key] : names) {
    Check(document.Find(section, key) == ScanFor(text, section, key));
    Check(ScanOnce(text, section, key) == ScanFor(text, section, key));
  }
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    Check(document.Find(it->first, it->second) == ScanFor(text, it->first, it->second));
  }

  // Values without blanks, quotes, line ends or NUL read back exactly as written.
  std::vector<std::pair<std::string, std::string>> written;
  for (std::size_t i = 0; i < names.size() && i < 16; i += 2) written.push_back(names[i]);
  written.emplace_back("NEW SECTION", "NEW KEY");
  written.emplace_back(names.front().first, "added");
  for (std::size_t i = 0; i < written.size(); ++i) {
    const auto& [section, key] = written[i];
    // A name holding a line end, "]" or "=" or starting with blanks cannot be written so that it
    // reads back; the store takes such names as given, like the Windows calls.
    if (section.find_first_of("\r\n]") != std::string::npos || key.find_first_of("\r\n=") != std::string::npos ||
        (!key.empty() && (pt::IsTrimmed(key.front()) || key.front() == ';' || key.front() == '[')) ||
        section.find('\0') != std::string::npos || key.find('\0') != std::string::npos) {
      continue;
    }
    const std::string value = "v" + std::to_string(i);
    document.Set(section, key, value);
    Check(document.Find(section, key) == std::optional<std::string_view>(value));
    Check(document.Size() == document.Text().size());
  }
  const std::string after = document.Text();
  const tilvaro::ProfileDocument reread{std::string(after)};
  for (const auto& [section, key] : names) {
    Check(reread.Find(section, key) == ScanFor(after, section, key));
    Check(document.Find(section, key) == reread.Find(section, key));
  }
  return 0;
}
