#pragma once
// Measured widths and laid-out lines of caption text, kept across paints. Shaping a line of text
// costs far more than drawing a prepared glyph image; buttons draw the same few captions over and
// over, so each line is shaped once per font and device resolution.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

namespace tilvaro {

class TextCache {
 public:
  // The process's cache, a slot of the controls' runtime, made first if it does not exist.
  static TextCache& Instance();

  // metrics.horizontalAdvance(text), remembered for the metrics' font and resolution.
  int Width(const QFontMetrics& metrics, const QFont& font, int dpi, const QString& text);
  // The text laid out for drawing with QPainter::drawStaticText in the font.
  const QStaticText& Line(const QFont& font, int dpi, const QString& text);

  int Size() const { return static_cast<int>(widths_.size() + lines_.size()); }

 private:
  struct Key {
    QFont font;
    int dpi;
    QString text;
    bool operator==(const Key& other) const {
      return dpi == other.dpi && text == other.text && font == other.font;
    }
  };
  friend size_t qHash(const Key& key, size_t seed) {
    return qHashMulti(seed, key.font, key.dpi, key.text);
  }
  // An upper bound, so that captions that keep changing cannot grow the cache without end.
  static constexpr int kMaxEntries = 4096;

  QHash<Key, int> widths_;
  QHash<Key, QStaticText> lines_;
};

}  // namespace tilvaro
