#include "platform/TextCache.h"

#include <QTransform>

#include "runtime/ControlsRuntime.h"

namespace tilvaro {

// A slot of the runtime: prepared lines hold on to font engines, which must go before the
// application does.
TextCache& TextCache::Instance() { return ControlsRuntime::Instance().Slot<TextCache>(); }

int TextCache::Width(const QFontMetrics& metrics, const QFont& font, int dpi, const QString& text) {
  Key key{font, dpi, text};
  auto it = widths_.constFind(key);
  if (it != widths_.constEnd()) return *it;
  if (widths_.size() >= kMaxEntries) widths_.clear();
  const int width = metrics.horizontalAdvance(text);
  widths_.insert(std::move(key), width);
  return width;
}

const QStaticText& TextCache::Line(const QFont& font, int dpi, const QString& text) {
  Key key{font, dpi, text};
  auto it = lines_.find(key);
  if (it != lines_.end()) return *it;
  if (lines_.size() >= kMaxEntries) lines_.clear();
  QStaticText line(text);
  line.setTextFormat(Qt::PlainText);
  line.setPerformanceHint(QStaticText::AggressiveCaching);
  line.prepare(QTransform(), font);
  return *lines_.insert(std::move(key), std::move(line));
}

}  // namespace tilvaro
