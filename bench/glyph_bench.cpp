// Glyph renderer benchmark: preparing the five state images of a button and drawing a prepared
// face, for 1, 100 and 10,000 buttons with the same 16 x 16 glyph, with the image memory used.
//
// Goals: the prepared-image memory does not grow with the number of buttons (only each button's
// own slot table does), and drawing a prepared face is at least 20 times faster than preparing it.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <algorithm>
#include <vector>

#include "BenchTiming.h"
#include "glyphs/ButtonGlyph.h"
#include "glyphs/GlyphCache.h"
#include "glyphs/GlyphList.h"
#include "glyphs/SharedGlyphImages.h"
#include "platform/Canvas.h"

using namespace tilvaro;
using bench::Clock;

namespace {

constexpr ButtonState kStates[] = {ButtonState::Up, ButtonState::Disabled, ButtonState::Down,
                                   ButtonState::Latched, ButtonState::Hot};

// A 16-colour-like glyph: a transparent teal background with a small figure in several colours.
Bitmap MakeGlyph() {
  Bitmap glyph = Bitmap::Color(16, 16, Rgb{0, 128, 128});
  for (int i = 2; i < 14; ++i) {
    glyph.SetPixel(i, 3, Rgb{0, 0, 0});
    glyph.SetPixel(i, 12, Rgb{128, 0, 0});
    glyph.SetPixel(3, i, Rgb{255, 255, 255});
    glyph.SetPixel(12, i, Rgb{192, 192, 192});
    glyph.SetPixel(i, i, Rgb{0, 0, 255});
  }
  return glyph;
}

using bench::Fastest;
using bench::Seconds;

// Image memory: the glyph lists the renderers use (their allocated image storage) plus the shared
// table's own bitmaps and drawable images.
std::size_t ImageMemory(const std::vector<std::unique_ptr<TButtonGlyph>>& buttons) {
  std::set<const TGlyphList*> lists;
  for (const auto& button : buttons) {
    for (bool side : {false, true}) {
      if (const TGlyphList* list = button->GlyphList(side)) lists.insert(list);
    }
  }
  std::size_t bytes = SharedGlyphCache() ? SharedGlyphCache()->Images().BytesInUse() : 0;
  for (const TGlyphList* list : lists) bytes += static_cast<std::size_t>(list->Capacity()) * list->BytesPerImage();
  return bytes;
}

// Preparing from scratch: one renderer discards and rebuilds its five state images each round.
double PrepareFromScratchSeconds(const Bitmap& glyph, int rounds) {
  TButtonGlyph renderer;
  renderer.SetGlyph(glyph);
  return Fastest(5, [&] {
           for (int i = 0; i < rounds; ++i) {
             renderer.DiscardImages();
             for (ButtonState state : kStates) renderer.PrepareStateImage(state);
           }
         }) / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const Bitmap glyph = MakeGlyph();

  QImage surface(70, 55, QImage::Format_RGB32);
  surface.fill(Qt::lightGray);
  Canvas canvas(surface);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  canvas.Font.font = font;
  const Rect client{1, 1, 69, 54};

  const double scratch = PrepareFromScratchSeconds(glyph, 2000);
  std::printf("Preparing the five state images of one button from scratch: %.2f us\n\n", scratch * 1e6);
  std::printf("%8s  %14s  %14s  %14s  %12s  %14s  %8s  %10s\n", "buttons", "prepare/face", "draw/face",
              "draw+text/face", "image bytes", "renderer/btn", "ratio", "ratio+text");

  for (int count : {1, 100, 10000}) {
    std::vector<std::unique_ptr<TButtonGlyph>> buttons;
    buttons.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      buttons.push_back(std::make_unique<TButtonGlyph>());
      buttons.back()->SetGlyph(glyph);
    }

    const auto start = Clock::now();
    for (auto& button : buttons) {
      for (ButtonState state : kStates) button->PrepareStateImage(state);
    }
    const double prepare = Seconds(Clock::now() - start) / count;

    // Glyph-only faces, then the editor's faces with a caption below the glyph.
    const int rounds = std::max(1, 20000 / count);
    const double faces = static_cast<double>(rounds) * count;
    const double draw = Fastest(5, [&] {
                          for (int r = 0; r < rounds; ++r) {
                            for (auto& button : buttons) {
                              button->RenderButton(canvas, client, {}, true, false, QString(), false,
                                                   TAlignment::taCenter, TButtonLayout::blGlyphTop, -1, 4,
                                                   false, 9, kStates[r % 5]);
                            }
                          }
                        }) / faces;
    const double drawText = Fastest(5, [&] {
                              for (int r = 0; r < rounds; ++r) {
                                for (auto& button : buttons) {
                                  button->RenderButton(canvas, client, {}, true, true, QStringLiteral("Ö&ffnen"),
                                                       false, TAlignment::taCenter, TButtonLayout::blGlyphTop,
                                                       -1, 4, false, 9, kStates[r % 5]);
                                }
                              }
                            }) / faces;

    std::printf("%8d  %11.2f us  %11.2f us  %11.2f us  %12zu  %14zu  %7.0fx  %9.1fx\n", count, prepare * 1e6,
                draw * 1e6, drawText * 1e6, ImageMemory(buttons), sizeof(TButtonGlyph), scratch / draw,
                scratch / drawText);
  }
  std::printf("\nprepare/face: the first button builds its images, the others find them prepared\n");
  std::printf("ratio: preparing one button's five images from scratch / drawing one prepared glyph face\n");
  std::printf("ratio+text: the same against a face with its caption \"Öffnen\" (text drawing dominates)\n");
  std::printf("image bytes: glyph list storage + shared image table, independent of the button count\n");
  std::printf("each button also keeps its own copy of the source glyph: %zu bytes\n",
              static_cast<std::size_t>(glyph.Width()) * glyph.Height() * sizeof(Rgb));
  return 0;
}
