#include "glyphs/ButtonGlyph.h"

#include "glyphs/GlyphCache.h"
#include "glyphs/GlyphImageBuilder.h"
#include "glyphs/GlyphList.h"
#include "glyphs/ImageList.h"
#include "glyphs/SharedGlyphImages.h"
#include "platform/Canvas.h"
#include "platform/RasterImage.h"

namespace tilvaro {
namespace {

int Index(ButtonState state) { return static_cast<int>(state); }

}  // namespace

TButtonGlyph::TButtonGlyph() {
  glyph_.OnChange = [this](TGlyphBitmap& changed) { GlyphSourceChanged(&changed); };
  glyphMask_.OnChange = [this](TGlyphBitmap& changed) {
    maskFromAlpha_ = false;
    GlyphSourceChanged(&changed);
  };
  EnsureSharedGlyphCache();
}

TButtonGlyph::~TButtonGlyph() {
  glyph_.OnChange = nullptr;
  glyphMask_.OnChange = nullptr;
  imagesLink_.reset();
  DiscardImages();
  DestroySharedGlyphCacheIfEmpty();
}

void TButtonGlyph::SetGlyph(const Bitmap& value) {
  DiscardImages();
  glyph_.Assign(value);
  DeriveNumGlyphs();
}

void TButtonGlyph::SetGlyph(const QImage& image) {
  // The mask first, so that the glyph's own change (which repaints) sees the complete source.
  if (glyphMask_.IsEmpty() || maskFromAlpha_) {
    SetGlyphMask(MaskFromAlpha(image));
    maskFromAlpha_ = true;
  }
  SetGlyph(FromQImage(image));
}

void TButtonGlyph::SetGlyphMask(const Bitmap& value) {
  DiscardImages();
  glyphMask_.Assign(value);
}

void TButtonGlyph::SetImages(TImageList* images) {
  images_ = images;
  if (!images_) {
    imagesLink_.reset();
    return;
  }
  if (!imagesLink_) {
    imagesLink_ = std::make_unique<TChangeLink>([this](TImageList& changed) { GlyphSourceChanged(&changed); });
    imagesLink_->OnSenderDestroyed = [this](const TImageList& destroyed) {
      // Images is cleared as the owner's property would clear it: the images prepared from the
      // list go, and the owner repaints without a glyph.
      if (images_ == &destroyed) LinkImages(nullptr);
    };
  }
  images_->RegisterChanges(*imagesLink_);  // moves the link from a previous list
}

void TButtonGlyph::LinkImages(TImageList* images) {
  SetImages(images);
  DeriveNumGlyphs();
}

void TButtonGlyph::SetNumGlyphs(int value) {
  DiscardImages();
  numGlyphs_ = static_cast<TNumGlyphs97>((images_ || value < 1 || value > 5) ? 1 : value);
  GlyphSourceChanged(nullptr);
}

void TButtonGlyph::DeriveNumGlyphs() {
  const int width = glyph_.Width();
  const int height = glyph_.Height();
  if (width != 0 && height != 0 && width % height == 0 && width / height < 6) {
    SetNumGlyphs(width / height);
  } else {
    SetNumGlyphs(1);
  }
}

void TButtonGlyph::GlyphSourceChanged(const void* sender) {
  if (sender == &glyph_ && !glyph_.IsEmpty()) {
    transparentColor_ = ToColor(glyph_.Get().Pixel(0, glyph_.Height() - 1)) | kPaletteRelativeFlag;
  }
  DiscardImages();
  if (OnGlyphChange) OnGlyphChange(*this);
}

void TButtonGlyph::DiscardImages() {
  // Without a cache (the application is gone) the lists went with it: nothing to give back.
  TGlyphCache* cache = SharedGlyphCache();
  for (int side = 0; side < 2; ++side) {
    TGlyphList* list = glyphLists_[side];
    for (std::int32_t& slot : stateImageIndexes_[side]) {
      if (slot == -1) continue;
      if (cache) cache->ReleaseImage(list, slot);
      slot = -1;
    }
    if (list && cache) cache->ReleaseList(list);
    glyphLists_[side] = nullptr;
  }
}

Size TButtonGlyph::CellSize(TImageList* images) const {
  if (images) return Size{images->Width(), images->Height()};
  return Size{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

PreparedImage TButtonGlyph::PrepareStateImage(ButtonState state) {
  // States without a column of their own share the Up image.
  if (state != ButtonState::Disabled && Index(state) >= numGlyphs_) state = ButtonState::Up;
  const int stateIndex = Index(state);
  if (stateImageIndexes_[1][stateIndex] != -1) return {true, stateImageIndexes_[1][stateIndex]};
  if (stateImageIndexes_[0][stateIndex] != -1) return {false, stateImageIndexes_[0][stateIndex]};

  TImageList* images = images_;
  if (images) {
    if (imageIndex_ < 0 || imageIndex_ >= images->Count()) return {false, -1};
  } else if (glyph_.IsEmpty()) {
    return {false, -1};
  }
  const bool hasMask = !images && !glyphMask_.IsEmpty();
  const bool side = state != ButtonState::Disabled;
  const Size cell = CellSize(images);
  const int extra = side ? 0 : 1;

  TGlyphCache& cache = EnsureSharedGlyphCache();
  TGlyphList*& list = glyphLists_[side ? 1 : 0];
  if (!list) list = cache.AcquireList(cell.cx + extra, cell.cy + extra);

  GlyphImageRecipe recipe;
  if (!images) {
    recipe.glyph = glyph_.Shared();
    if (hasMask) recipe.glyphMask = glyphMask_.Shared();
  }
  recipe.state = state;
  recipe.numGlyphs = numGlyphs_;
  recipe.transparentColor = transparentColor_;
  recipe.oldDisabledStyle = oldDisabledStyle_;
  recipe.TakeCurrentSystemColors();

  std::int32_t slot;
  if (std::optional<int> existing = cache.ShareImage(list, recipe)) {
    slot = *existing;
  } else {
    GlyphSource source;
    source.glyph = images ? nullptr : &glyph_.Get();
    source.glyphMask = hasMask ? &glyphMask_.Get() : nullptr;
    source.images = images;
    source.imageIndex = imageIndex_;
    source.numGlyphs = numGlyphs_;
    source.transparentColor = transparentColor_;
    source.oldDisabledStyle = oldDisabledStyle_;
    const StateImage built = BuildStateImage(source, state, cell.cx, cell.cy);
    slot = cache.AddImage(list, std::move(recipe), [&] {
      return built.useMaskColor ? list->AddWithMaskColor(built.image, built.maskColor)
                                : list->AddWithMask(built.image, built.mask);
    });
  }
  stateImageIndexes_[side ? 1 : 0][stateIndex] = slot;
  return {side, slot};
}

ButtonLayoutResult TButtonGlyph::ComputeLayout(Canvas& canvas, const Rect& client, Point offset,
                                               bool drawGlyph, bool drawCaption,
                                               const QString& caption, bool wordWrap,
                                               TButtonLayout layout, int margin, int spacing,
                                               bool dropArrow, int dropArrowWidth) const {
  ButtonLayoutInput input;
  input.client = client;
  input.offset = offset;
  // An image list's cell counts even when ImageIndex names no image: the face keeps its place.
  if (drawGlyph) input.glyph = CellSize(images_);
  input.drawCaption = drawCaption;
  input.caption = caption;
  input.wordWrap = wordWrap;
  input.layout = layout;
  input.margin = margin;
  input.spacing = spacing;
  input.dropArrow = dropArrow;
  input.dropArrowWidth = dropArrowWidth;
  return ComputeButtonLayout(canvas, input);
}

Rect TButtonGlyph::RenderButton(Canvas& canvas, const Rect& client, Point offset, bool drawGlyph,
                                bool drawCaption, const QString& caption, bool wordWrap,
                                TAlignment alignment, TButtonLayout layout, int margin,
                                int spacing, bool dropArrow, int dropArrowWidth,
                                ButtonState state) {
  const ButtonLayoutResult placed = ComputeLayout(canvas, client, offset, drawGlyph, drawCaption, caption,
                                                  wordWrap, layout, margin, spacing, dropArrow, dropArrowWidth);
  if (drawGlyph) DrawStateImage(canvas, placed.GlyphPos, state);
  if (drawCaption) DrawCaptionText(canvas, caption, placed.TextBounds, wordWrap, alignment, state);
  if (dropArrow) RenderDropArrow(canvas, placed.ArrowPos.x, placed.ArrowPos.y, dropArrowWidth, state);
  return placed.TextBounds;
}

void TButtonGlyph::DrawStateImage(Canvas& canvas, Point position, ButtonState state) {
  const PreparedImage prepared = PrepareStateImage(state);
  if (prepared.slot == -1) return;
  TGlyphList* list = glyphLists_[prepared.side ? 1 : 0];
  canvas.DrawImage(position.x, position.y, EnsureSharedGlyphCache().Images().DrawImage(list, prepared.slot));
}

void TButtonGlyph::DrawCaptionText(Canvas& canvas, const QString& caption, const Rect& bounds,
                                   bool wordWrap, TAlignment alignment, ButtonState state) {
  canvas.Brush.style = BrushStyle::Clear;
  unsigned flags = DT_VCENTER | (wordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  switch (alignment) {
    case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
    case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
  }
  Rect r = bounds;
  if (state == ButtonState::Disabled) {
    Rect moved = r.Offset(1, 1);
    canvas.Font.color = SysColorValue(SysColor::BtnHighlight);
    canvas.DrawText(caption, moved, flags);
    canvas.Font.color = SysColorValue(SysColor::BtnShadow);
  }
  canvas.DrawText(caption, r, flags);
}

void TButtonGlyph::RenderDropArrow(Canvas& canvas, int x, int y, int width, ButtonState state) {
  const int cx = x + width / 2;
  canvas.Brush.style = BrushStyle::Solid;
  canvas.Pen.visible = true;
  if (state == ButtonState::Disabled) {
    canvas.Pen.color = canvas.Brush.color = SysColorValue(SysColor::BtnHighlight);
    canvas.Polygon({{cx - 1, y + 1}, {cx + 3, y + 1}, {cx + 1, y + 3}});
    canvas.Pen.color = canvas.Brush.color = SysColorValue(SysColor::BtnShadow);
  } else {
    canvas.Pen.color = canvas.Brush.color = canvas.Font.color;
  }
  canvas.Polygon({{cx - 2, y}, {cx + 2, y}, {cx, y + 2}});
}

}  // namespace tilvaro
