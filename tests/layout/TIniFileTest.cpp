#include "layout/TIniFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "layout/WriteError.h"
#include "layout/TestFiles.h"

namespace tilvaro {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct NumberExample {
  const char* stored;  // nullptr: the key is missing
  std::int32_t expected;
};

// The stored text as it would be typed, with a tab escaped.
std::string Shown(const char* stored) {
  if (stored == nullptr) return "missing";
  std::string shown = "\"";
  for (const char* c = stored; *c != '\0'; ++c) {
    if (*c == '\t') {
      shown += "\\t";
    } else {
      shown += *c;
    }
  }
  return shown + "\"";
}

// Readable test names in ctest, which takes them from this printout.
void PrintTo(const NumberExample& example, std::ostream* out) {
  *out << Shown(example.stored) << " gives " << example.expected;
}

class ReadNumberTest : public ::testing::TestWithParam<NumberExample> {};

TEST_P(ReadNumberTest, ParsesOrFallsBackToTheDefault) {
  const TempFolder folder;
  const auto file = folder / "n.ini";
  std::string text = "[S]\r\nOTHER=1\r\n";
  if (GetParam().stored) text += std::string("N=") + GetParam().stored + "\r\n";
  WriteBytes(file, text);
  EXPECT_EQ(TIniFile(file).ReadNumber("S", "N", 7), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ReadNumberTest,
    ::testing::Values(NumberExample{"12", 12}, NumberExample{"-12", -12}, NumberExample{"+12", 12},
                      NumberExample{"0x1F", 31}, NumberExample{"0X10", 16}, NumberExample{"$ff", 255},
                      NumberExample{"$FFFFFFFF", -1}, NumberExample{"$80000000", INT32_MIN},
                      NumberExample{"$000000010", 16}, NumberExample{"$100000000", 7},
                      NumberExample{"-2147483648", INT32_MIN}, NumberExample{"2147483647", INT32_MAX},
                      NumberExample{"2147483648", 7}, NumberExample{"-2147483649", 7},
                      NumberExample{"99999999999999999999", 7}, NumberExample{"0x", 7},
                      NumberExample{"0x-5", 7}, NumberExample{"-$5", 7}, NumberExample{"$", 7},
                      NumberExample{"-", 7}, NumberExample{"+", 7}, NumberExample{"1.5", 7},
                      NumberExample{"abc", 7}, NumberExample{"12abc", 7}, NumberExample{"", 7},
                      NumberExample{"0012", 12}, NumberExample{"'  42'", 42}, NumberExample{"' 0x5'", 7},
                      NumberExample{"'\t5'", 7}, NumberExample{"'5 '", 7}, NumberExample{nullptr, 7}),
    // gtest's own names: the position, then the letters and digits of the stored text.
    [](const ::testing::TestParamInfo<NumberExample>& example) {
      std::string name = std::to_string(example.index);
      if (example.param.stored != nullptr) {
        name += '_';
        for (const char* c = example.param.stored; *c != '\0'; ++c) {
          if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        }
      }
      return name;
    });

TEST(TIniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const TempFolder folder;
  const TIniFile missing(folder / "none.ini");
  EXPECT_EQ(missing.ReadText("S", "K", "dflt"), "dflt");
  EXPECT_EQ(missing.ReadNumber("S", "K", 42), 42);
  EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));  // reading never creates the file

  WriteBytes(folder / "a.ini", "[S]\r\nK=v\r\n");
  const TIniFile file(folder / "a.ini");
  EXPECT_EQ(file.ReadText("T", "K", "d"), "d");
  EXPECT_EQ(file.ReadText("S", "L", "d"), "d");
  EXPECT_EQ(file.ReadText("s", "k", "d"), "v");
}

TEST(TIniFileTest, ReadFlag) {
  const TempFolder folder;
  const auto path = folder / "f.ini";
  WriteBytes(path, "[S]\r\nZERO=0\r\nTWO=2\r\nMINUS=-1\r\nBAD=ja\r\n");
  const TIniFile file(path);
  EXPECT_TRUE(file.ReadFlag("S", "MISSING", true));
  EXPECT_FALSE(file.ReadFlag("S", "MISSING", false));
  EXPECT_FALSE(file.ReadFlag("S", "ZERO", true));
  EXPECT_TRUE(file.ReadFlag("S", "TWO", false));
  EXPECT_TRUE(file.ReadFlag("S", "MINUS", false));
  EXPECT_TRUE(file.ReadFlag("S", "BAD", true));
  EXPECT_FALSE(file.ReadFlag("S", "BAD", false));
}

TEST(TIniFileTest, LongTextsComeBackCutTo1023Bytes) {
  const TempFolder folder;
  TIniFile file(folder / "long.ini");
  std::string value(2000, 'a');
  value[1022] = 'b';
  value[1023] = 'c';
  file.WriteText("S", "K", value);
  const std::string read = file.ReadText("S", "K", "");
  EXPECT_EQ(read.size(), 1023u);
  EXPECT_EQ(read.back(), 'b');
  EXPECT_EQ(file.ReadText("S", "MISSING", std::string(1500, 'd')).size(), 1023u);  // the default too
}

TEST(TIniFileTest, WritesNumbersAndFlagsAsTheirTexts) {
  const TempFolder folder;
  TIniFile file(folder / "w.ini");
  file.WriteNumber("S", "A", -2147483647 - 1);
  file.WriteNumber("S", "B", 40);
  file.WriteFlag("S", "C", true);
  file.WriteFlag("S", "D", false);
  file.WriteText("S", "A", "again");  // a key written twice keeps one line, with the second value
  EXPECT_EQ(ReadBytes(folder / "w.ini"), "[S]\r\nA=again\r\nB=40\r\nC=1\r\nD=0\r\n");
}

TEST(TIniFileTest, EveryCallSeesTheFileAsItIsNow) {
  const TempFolder folder;
  const auto path = folder / "live.ini";
  TIniFile file(path);
  file.WriteText("S", "K", "one");
  EXPECT_EQ(file.ReadText("S", "K", ""), "one");
  WriteBytes(path, "[S]\nK=changed behind its back\n");
  EXPECT_EQ(file.ReadText("S", "K", ""), "changed behind its back");
  file.WriteText("S", "L", "x");
  EXPECT_EQ(ReadBytes(path), "[S]\nK=changed behind its back\nL=x\r\n");
}

TEST(TIniFileTest, FailedWriteNamesTheFullFile) {
  const TempFolder folder;
  const auto path = folder / "no such folder" / "x.set";
  TIniFile file(path);  // constructing checks nothing
  try {
    file.WriteText("INFO", "LAYERS", "1");
    FAIL() << "no error raised";
  } catch (const WriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Kann nicht nach " + path.string() + " schreiben");
    EXPECT_EQ(error.FileName(), path);
  }
  EXPECT_FALSE(std::filesystem::exists(path.parent_path()));  // the folder is never created
  EXPECT_THROW(TIniFile(folder.Path()).WriteNumber("S", "K", 1), WriteError);  // a folder is no file
}

}  // namespace
}  // namespace tilvaro
