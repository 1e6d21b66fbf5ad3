// Glyph lists: slot hand-out and reuse, the two adds and their failures, the list cache.
#include <gtest/gtest.h>

#include "glyphs/GlyphCache.h"
#include "glyphs/GlyphList.h"

namespace tilvaro {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kSilver{192, 192, 192};

void ExpectInvalidOperation(const std::function<void()>& action, const char* message) {
  try {
    action();
    ADD_FAILURE() << "no error, expected " << message;
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST(GlyphList, CreationChecksTheCellSize) {
  ExpectInvalidOperation([] { TGlyphList(0, 16); }, "Ungültige Bildgröße");
  ExpectInvalidOperation([] { TGlyphList(16, 0); }, "Ungültige Bildgröße");
  ExpectInvalidOperation([] { TGlyphList(16, 32769); }, "Ungültige Bildgröße");
  const TGlyphList list(17, 17);
  EXPECT_EQ(list.Width(), 17);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.UsedCount(), 0);
  EXPECT_EQ(list.Capacity(), 4);
}

TEST(GlyphList, ReleasedSlotsAreReusedWithoutGrowing) {
  TGlyphList list(2, 2);
  const Bitmap image = Bitmap::Color(2, 2, kRed);
  const Bitmap mask = Bitmap::Mono(2, 2, false);
  EXPECT_EQ(list.AddWithMask(image, mask), 0);
  EXPECT_EQ(list.AddWithMask(image, mask), 1);
  EXPECT_EQ(list.AddWithMask(image, mask), 2);
  EXPECT_EQ(list.UsedCount(), 3);
  list.ReleaseSlot(1);
  EXPECT_EQ(list.UsedCount(), 2);
  EXPECT_FALSE(list.IsSlotInUse(1));
  EXPECT_EQ(list.AddWithMaskColor(image, RGBColor(0, 0, 0)), 1);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.SlotCount(), 3);
  EXPECT_EQ(list.UsedCount(), 3);

  // Releasing a slot that is not in use, or does not exist, changes nothing.
  list.ReleaseSlot(1);
  list.ReleaseSlot(1);
  list.ReleaseSlot(-1);
  list.ReleaseSlot(99);
  EXPECT_EQ(list.UsedCount(), 2);
  // The list never shrinks: the released image stays.
  EXPECT_EQ(list.Count(), 3);
}

TEST(GlyphList, AddWithMaskStoresImageAndMaskAndNotifies) {
  TGlyphList list(2, 1);
  int changes = 0;
  TChangeLink link([&changes](TImageList&) { ++changes; });
  list.RegisterChanges(link);
  Bitmap image = Bitmap::Color(2, 1, kRed);
  Bitmap mask = Bitmap::Mono(2, 1, false);
  mask.SetBit(1, 0, true);
  const int slot = list.AddWithMask(image, mask);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.PixelAt(slot, 0, 0), kRed);
  EXPECT_FALSE(list.TransparentAt(slot, 0, 0));
  EXPECT_TRUE(list.TransparentAt(slot, 1, 0));
}

TEST(GlyphList, AddWithMaskColorMakesThatColourTransparentAndCleansUp) {
  TGlyphList list(3, 1);
  int changes = 0;
  TChangeLink link([&changes](TImageList&) { ++changes; });
  list.RegisterChanges(link);
  Bitmap image = Bitmap::Color(3, 1, kRed);
  image.SetPixel(2, 0, kSilver);
  const int before = list.Count();
  const int slot = list.AddWithMaskColor(image, SysColorValue(SysColor::BtnFace));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.UsedCount(), 1);
  // Only the blank image of the claim remains; the temporary image is gone.
  EXPECT_EQ(list.Count(), before + 1);
  EXPECT_EQ(list.PixelAt(slot, 0, 0), kRed);
  EXPECT_FALSE(list.TransparentAt(slot, 1, 0));
  EXPECT_TRUE(list.TransparentAt(slot, 2, 0));

  // Into a reused slot the list does not grow at all; a larger image adds one cell's worth only.
  list.ReleaseSlot(slot);
  EXPECT_EQ(list.AddWithMaskColor(Bitmap::Color(7, 2, kRed), RGBColor(0, 0, 0)), slot);
  EXPECT_EQ(list.Count(), before + 1);
}

TEST(GlyphList, FailedAddsKeepTheClaimedSlotAndTheCount) {
  TGlyphList list(4, 4);
  ExpectInvalidOperation([&] { list.AddWithMaskColor(Bitmap::Color(3, 4), RGBColor(0, 0, 0)); },
                         "Ungültige Bildgröße");
  EXPECT_TRUE(list.IsSlotInUse(0));
  EXPECT_EQ(list.UsedCount(), 0);
  EXPECT_EQ(list.Count(), 1);
  ExpectInvalidOperation([&] { list.AddWithMaskColor(Bitmap::Color(4, 3), RGBColor(0, 0, 0)); },
                         "Ungültige Bildgröße");
  EXPECT_TRUE(list.IsSlotInUse(1));
  EXPECT_EQ(list.Count(), 2);
  ExpectInvalidOperation([&] { list.AddWithMask(Bitmap(), Bitmap::Mono(4, 4)); }, "Kann Bild nicht ersetzten");
  EXPECT_TRUE(list.IsSlotInUse(2));
  EXPECT_EQ(list.UsedCount(), 0);

  // A successful add next to the failed ones counts; releasing a failed slot does not drive the
  // count below the images really in use.
  const int good = list.AddWithMaskColor(Bitmap::Color(4, 4), RGBColor(0, 0, 0));
  EXPECT_EQ(good, 3);
  list.ReleaseSlot(0);
  EXPECT_EQ(list.UsedCount(), 1);
  list.ReleaseSlot(good);
  EXPECT_EQ(list.UsedCount(), 0);
}

TEST(GlyphList, MemoryPerImageIsTheCellsColourAndMask) {
  TGlyphList list(16, 16);
  EXPECT_EQ(list.BytesPerImage(), 16u * 16u * 3u + 16u * 2u);
  TGlyphList disabled(17, 17);
  EXPECT_EQ(disabled.BytesPerImage(), 17u * 17u * 3u + 17u * 3u);
}

TEST(GlyphCache, SharesListsBySizeAndDestroysUnusedOnes) {
  TGlyphCache cache;
  EXPECT_TRUE(cache.IsEmpty());
  TGlyphList* a = cache.AcquireList(16, 16);
  EXPECT_EQ(cache.AcquireList(16, 16), a);
  TGlyphList* b = cache.AcquireList(17, 17);
  EXPECT_NE(b, a);
  EXPECT_EQ(cache.ListCount(), 2);

  const int slot = a->AddWithMaskColor(Bitmap::Color(16, 16), RGBColor(0, 0, 0));
  cache.ReleaseList(a);
  EXPECT_EQ(cache.ListCount(), 2);  // a slot is still used
  a->ReleaseSlot(slot);
  cache.ReleaseList(a);
  EXPECT_EQ(cache.ListCount(), 1);
  TGlyphList* fresh = cache.AcquireList(16, 16);
  EXPECT_EQ(fresh->Count(), 0);
  EXPECT_EQ(fresh->UsedCount(), 0);

  cache.ReleaseList(nullptr);
  TGlyphList stranger(16, 16);
  cache.ReleaseList(&stranger);
  EXPECT_EQ(cache.ListCount(), 2);

  // A size out of range raises and leaves the cache as it was.
  ExpectInvalidOperation([&] { cache.AcquireList(0, 16); }, "Ungültige Bildgröße");
  EXPECT_EQ(cache.ListCount(), 2);
}

TEST(GlyphCache, AcquireFindsTheNewestListOfASize) {
  TGlyphCache cache;
  TGlyphList* first = cache.AcquireList(8, 8);
  cache.AcquireList(9, 9);
  EXPECT_EQ(cache.AcquireList(8, 8), first);
  EXPECT_EQ(cache.ListCount(), 2);
}

TEST(SharedGlyphCache, IsCreatedOnDemandAndDestroyedOnlyWhenEmpty) {
  DestroySharedGlyphCacheIfEmpty();
  ASSERT_EQ(SharedGlyphCache(), nullptr) << "another test left lists in the shared cache";
  TGlyphCache& cache = EnsureSharedGlyphCache();
  EXPECT_EQ(&EnsureSharedGlyphCache(), &cache);
  TGlyphList* list = cache.AcquireList(4, 4);
  DestroySharedGlyphCacheIfEmpty();
  EXPECT_EQ(SharedGlyphCache(), &cache);
  cache.ReleaseList(list);
  DestroySharedGlyphCacheIfEmpty();
  EXPECT_EQ(SharedGlyphCache(), nullptr);
}

}  // namespace
}  // namespace tilvaro
