#include "profile/ProfileDocument.h"

#include <gtest/gtest.h>

#include <string>

namespace tilvaro {
namespace {

using Value = std::optional<std::string_view>;

// Reads in file order take a shortcut past the hash table; it must never hand out a repeated key or
// a key of another section.
TEST(ProfileDocumentTest, ReadsInFileOrderStillFindTheFirstKeyOfItsSection) {
  const ProfileDocument document(
      "[S]\nA=1\nB=2\nA=3\nC=4\n[T]\nD=5\n[S]\nE=6\nA=7\n[U]\n[V]\nX=8\n");
  EXPECT_EQ(document.Find("S", "A"), Value("1"));
  EXPECT_EQ(document.Find("S", "B"), Value("2"));
  EXPECT_EQ(document.Find("S", "A"), Value("1"));
  EXPECT_EQ(document.Find("S", "C"), Value("4"));
  EXPECT_EQ(document.Find("S", "D"), std::nullopt);  // the next line belongs to T
  EXPECT_EQ(document.Find("T", "D"), Value("5"));
  EXPECT_EQ(document.Find("S", "E"), std::nullopt);  // only in the repeated S
  EXPECT_EQ(document.Find("U", "X"), std::nullopt);  // the line after U's header is V's header
  EXPECT_EQ(document.Find("s", "c"), Value("4"));
}

TEST(ProfileDocumentTest, ReadsStayRightWhileLinesAreAddedInTheMiddle) {
  ProfileDocument document("[A]\n1=a\n2=b\n\n[B]\n1=c\n2=d\n");
  EXPECT_EQ(document.Find("B", "1"), Value("c"));
  document.Set("A", "3", "new");  // shifts every line of B
  EXPECT_EQ(document.Find("B", "2"), Value("d"));
  EXPECT_EQ(document.Find("B", "1"), Value("c"));
  EXPECT_EQ(document.Find("A", "3"), Value("new"));
  document.Set("B", "1", "changed");
  EXPECT_EQ(document.Find("B", "1"), Value("changed"));
  EXPECT_EQ(document.Text(), "[A]\n1=a\n2=b\n3=new\r\n\n[B]\n1=changed\n2=d\n");
  EXPECT_EQ(document.Size(), document.Text().size());
}

TEST(ProfileDocumentTest, AMovedDocumentKeepsItsText) {
  ProfileDocument original(std::string("[S]\nK=v\n"));  // short enough to live inside std::string
  ProfileDocument moved(std::move(original));
  EXPECT_EQ(moved.Find("S", "K"), Value("v"));
  moved.Set("S", "L", "w");
  ProfileDocument assigned;
  assigned = std::move(moved);
  EXPECT_EQ(assigned.Text(), "[S]\nK=v\nL=w\r\n");
}

// Each index hashes with its own key, so no set of names collides in every document.
TEST(NameIndexTest, HashesAreKeyedPerIndexAndFoldLetterCase) {
  const NameIndex first, second;
  EXPECT_EQ(first.Hash(3, "Größe"), first.Hash(3, "GRößE"));
  EXPECT_NE(first.Hash(3, "Größe"), first.Hash(4, "Größe"));
  EXPECT_NE(first.Hash(3, "Größe"), second.Hash(3, "Größe"));
}

}  // namespace
}  // namespace tilvaro
