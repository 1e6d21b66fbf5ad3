#include "files/Cp1252.h"

#include <gtest/gtest.h>

#include <set>

namespace tilvaro {
namespace {

TEST(Cp1252Test, AllBytesMapToDistinctCharactersAndBack) {
  std::set<char32_t> characters;
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t c = cp1252::ToUnicode(static_cast<unsigned char>(byte));
    characters.insert(c);
    const auto back = cp1252::FromUnicode(c);
    ASSERT_TRUE(back.has_value()) << byte;
    EXPECT_EQ(*back, byte);
  }
  EXPECT_EQ(characters.size(), 256u);
}

TEST(Cp1252Test, TheSpecialRangeAndTheUnassignedBytes) {
  EXPECT_EQ(cp1252::ToUnicode(0x80), U'€');
  EXPECT_EQ(cp1252::ToUnicode(0x8A), U'Š');
  EXPECT_EQ(cp1252::ToUnicode(0x96), U'–');
  EXPECT_EQ(cp1252::ToUnicode(0x9F), U'Ÿ');
  EXPECT_EQ(cp1252::ToUnicode(0xE4), U'ä');
  EXPECT_EQ(cp1252::ToUnicode(0xFF), U'ÿ');
  for (const unsigned char unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(cp1252::ToUnicode(unassigned), static_cast<char32_t>(unassigned));
  }
  // C1 controls that Windows-1252 replaced by printable characters are not representable.
  EXPECT_FALSE(cp1252::FromUnicode(0x80).has_value());
  EXPECT_FALSE(cp1252::FromUnicode(0x9F).has_value());
}

TEST(Cp1252Test, AllBytesSurviveDecodingAndEncoding) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string utf8 = cp1252::DecodeToUtf8(all);
  const auto again = cp1252::EncodeUtf8(utf8);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(*again, all);
  EXPECT_EQ(cp1252::DecodeToUtf8("Gr\xFCn \x80"), "Grün €");
}

TEST(Cp1252Test, CharactersItCannotHoldAreReportedNotReplaced) {
  cp1252::EncodeError error{};
  EXPECT_FALSE(cp1252::EncodeUtf8("ab\u0100c", &error).has_value());  // Ā
  EXPECT_EQ(error.index, 2u);
  EXPECT_EQ(error.character, U'\u0100');

  EXPECT_FALSE(cp1252::EncodeUtf32(U"x😀", &error).has_value());
  EXPECT_EQ(error.index, 1u);
  EXPECT_EQ(error.character, U'😀');
  EXPECT_EQ(cp1252::EncodeUtf32(U"Müller €").value(), "M\xFCller \x80");
}

TEST(Cp1252Test, InvalidUtf8IsRefused) {
  cp1252::EncodeError error{};
  for (const std::string_view bad : {std::string_view("\xC3"), std::string_view("a\xC3("),
                                     std::string_view("\xC0\xAF"),            // overlong '/'
                                     std::string_view("\xED\xA0\x80"),        // surrogate
                                     std::string_view("\xF4\x90\x80\x80"),    // above U+10FFFF
                                     std::string_view("\xFF")}) {
    EXPECT_FALSE(cp1252::EncodeUtf8(bad, &error).has_value()) << bad;
  }
  EXPECT_FALSE(cp1252::EncodeUtf8("ok\x80", &error).has_value());
  EXPECT_EQ(error.index, 2u);
}

}  // namespace
}  // namespace tilvaro
