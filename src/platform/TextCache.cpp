#include "platform/TextCache.h"

#include <QCoreApplication>
#include <QTransform>

namespace tilvaro {

namespace {

TextCache* instance = nullptr;

// Prepared lines hold on to font engines, which must go before the application does.
void DestroyInstance() {
  delete instance;
  instance = nullptr;
}

}  // namespace

TextCache& TextCache::Instance() {
  if (!instance) {
    instance = new TextCache();
    if (QCoreApplication::instance()) qAddPostRoutine(DestroyInstance);
  }
  return *instance;
}

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
