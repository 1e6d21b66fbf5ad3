#include "profile/ProfileText.h"

#include <array>
#include <cstring>

namespace tilvaro::profile_text {
namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  }
  table[0x8A] = 0x9A;  // Š š
  table[0x8C] = 0x9C;  // Œ œ
  table[0x8E] = 0x9E;  // Ž ž
  table[0x9F] = 0xFF;  // Ÿ ÿ
  return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

bool IsTrimmed(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 9 && u <= 13) || u == 26 || u == 32;
}

std::string_view TrimStart(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsTrimmed(text[begin])) ++begin;
  return text.substr(begin);
}

std::string_view TrimEnd(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsTrimmed(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view Trim(std::string_view text) { return TrimEnd(TrimStart(text)); }

ParsedLine ParseLine(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty()) return {};
  if (text.front() == '[') {
    const std::size_t close = text.rfind(']');
    const std::string_view inner =
        close == std::string_view::npos ? text.substr(1) : text.substr(1, close - 1);
    return {LineKind::Section, Trim(inner), {}};
  }
  if (text.front() == ';') return {LineKind::Comment, {}, {}};
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {LineKind::Other, {}, {}};
  return {LineKind::Key, TrimEnd(text.substr(0, equals)), TrimStart(text.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view CutAtNul(std::string_view text) {
  const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size());
  if (!nul) return text;
  return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
}

unsigned char FoldCase(unsigned char c) { return kFold[c]; }

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])]) return false;
  }
  return true;
}

namespace {

std::uint64_t Rotate(std::uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

// One round of SipHash over its four state words.
void SipRound(std::uint64_t& v0, std::uint64_t& v1, std::uint64_t& v2, std::uint64_t& v3) {
  v0 += v1;
  v1 = Rotate(v1, 13) ^ v0;
  v0 = Rotate(v0, 32);
  v2 += v3;
  v3 = Rotate(v3, 16) ^ v2;
  v0 += v3;
  v3 = Rotate(v3, 21) ^ v0;
  v2 += v1;
  v1 = Rotate(v1, 17) ^ v2;
  v2 = Rotate(v2, 32);
}

}  // namespace

std::uint64_t HashName(std::string_view name, std::uint64_t key0, std::uint64_t key1) {
  // SipHash-1-3 over the folded bytes: without the key, nobody can choose names that collide.
  std::uint64_t v0 = key0 ^ 0x736f6d6570736575ULL, v1 = key1 ^ 0x646f72616e646f6dULL;
  std::uint64_t v2 = key0 ^ 0x6c7967656e657261ULL, v3 = key1 ^ 0x7465646279746573ULL;
  const auto word = [&](std::size_t at, std::size_t count) {
    std::uint64_t m = 0;
    for (std::size_t j = 0; j < count; ++j) {
      m |= static_cast<std::uint64_t>(kFold[static_cast<unsigned char>(name[at + j])]) << (8 * j);
    }
    return m;
  };
  const auto absorb = [&](std::uint64_t m) {
    v3 ^= m;
    SipRound(v0, v1, v2, v3);
    v0 ^= m;
  };
  std::size_t at = 0;
  for (; at + 8 <= name.size(); at += 8) absorb(word(at, 8));
  absorb(word(at, name.size() - at) | (static_cast<std::uint64_t>(name.size()) << 56));
  v2 ^= 0xff;
  SipRound(v0, v1, v2, v3);
  SipRound(v0, v1, v2, v3);
  SipRound(v0, v1, v2, v3);
  return v0 ^ v1 ^ v2 ^ v3;
}

std::string_view NextLine(std::string_view text, std::size_t& pos, std::size_t& endLength) {
  const std::size_t begin = pos;
  std::size_t end = begin;
  const char* data = text.data();
  const std::size_t size = text.size();
  while (end < size && data[end] != '\n' && data[end] != '\r') ++end;
  std::size_t after = end;
  while (after < size && (data[after] == '\n' || data[after] == '\r')) ++after;
  endLength = after - end;
  pos = after;
  return text.substr(begin, end - begin);
}

std::size_t ByteOrderMarkLength(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

}  // namespace tilvaro::profile_text
