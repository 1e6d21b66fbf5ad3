#include "platform/TextLines.h"

#include "platform/DrawFlags.h"

namespace tilvaro {
namespace {

bool IsBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// A slice of a resolved caption, with the underline marks that fall into it.
TextLine Slice(const TextLine& whole, int from, int length) {
  TextLine line{whole.text.mid(from, length), {}};
  for (int index : whole.underlined) {
    if (index >= from && index < from + length) line.underlined.push_back(index - from);
  }
  return line;
}

int TrimmedLength(const QString& text, int from, int to) {
  while (to > from && text[to - 1] == u' ') --to;
  return to - from;
}

// Greedy word wrap of one paragraph [from, to) of the resolved caption.
void WrapParagraph(const TextLine& whole, int from, int to, int width, const TextMeasure& measure,
                   std::vector<TextLine>& out) {
  const QString& text = whole.text;
  int start = from;
  while (true) {
    // Breaks fall after a run of blanks; the blanks themselves never start a wrapped line.
    int lineEnd = -1;
    int scan = start;
    while (scan < to) {
      int wordEnd = scan;
      while (wordEnd < to && text[wordEnd] != u' ') ++wordEnd;
      const int candidate = TrimmedLength(text, start, wordEnd);
      if (lineEnd >= 0 && measure(text.mid(start, candidate)) > width) break;
      lineEnd = wordEnd;  // the first word always fits, however wide it is
      while (wordEnd < to && text[wordEnd] == u' ') ++wordEnd;
      scan = wordEnd;
    }
    if (lineEnd < 0) lineEnd = to;
    out.push_back(Slice(whole, start, TrimmedLength(text, start, lineEnd)));
    start = lineEnd;
    while (start < to && text[start] == u' ') ++start;
    if (start >= to) return;
  }
}

}  // namespace

TextLine ResolvePrefixes(const QString& text, bool handlePrefixes) {
  if (!handlePrefixes) return TextLine{text, {}};
  TextLine resolved;
  resolved.text.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      resolved.text += text[i];
      continue;
    }
    if (i + 1 >= text.size()) break;  // a prefix with nothing after it marks nothing
    ++i;
    if (text[i] != u'&' && !IsBreak(text[i])) {
      resolved.underlined.push_back(static_cast<int>(resolved.text.size()));
    }
    resolved.text += text[i];
  }
  return resolved;
}

std::vector<TextLine> BreakText(const QString& text, unsigned flags, int width,
                                const TextMeasure& measure) {
  TextLine whole = ResolvePrefixes(text, (flags & DT_NOPREFIX) == 0);
  std::vector<TextLine> lines;
  if (whole.text.isEmpty()) return lines;

  if (flags & DT_SINGLELINE) {
    // Line breaks do not break a single line; they are left out of it.
    TextLine joined;
    for (int i = 0; i < whole.text.size(); ++i) {
      if (IsBreak(whole.text[i])) continue;
      for (int index : whole.underlined) {
        if (index == i) joined.underlined.push_back(static_cast<int>(joined.text.size()));
      }
      joined.text += whole.text[i];
    }
    lines.push_back(std::move(joined));
    return lines;
  }

  const int size = static_cast<int>(whole.text.size());
  int from = 0;
  while (true) {
    int to = from;
    while (to < size && !IsBreak(whole.text[to])) ++to;
    if (flags & DT_WORDBREAK) {
      WrapParagraph(whole, from, to, width, measure, lines);
    } else {
      lines.push_back(Slice(whole, from, to - from));
    }
    if (to >= size) break;
    // CR LF counts as one break, as do a lone CR and a lone LF.
    from = to + ((whole.text[to] == u'\r' && to + 1 < size && whole.text[to + 1] == u'\n') ? 2 : 1);
    if (from >= size) break;  // a break at the very end opens no further line
  }
  return lines;
}

}  // namespace tilvaro
