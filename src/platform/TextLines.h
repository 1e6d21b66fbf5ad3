#pragma once
// Breaks a caption into the lines that Canvas::DrawText measures and draws: '&' prefixes are
// resolved, hard line breaks split lines (or vanish on a single line) and word wrap fills lines
// up to a width. Measuring and drawing share this one breaking, so a rectangle computed with
// DT_CALCRECT is exactly the one the drawn text occupies.

#include <QString>
#include <functional>
#include <vector>

namespace tilvaro {

struct TextLine {
  QString text;                 // what is drawn, prefixes resolved, no trailing blanks when wrapped
  std::vector<int> underlined;  // indexes into text of the characters marked by a '&' prefix
};

// The caption with its '&' prefixes resolved: "&&" is one '&', "&x" marks x for underlining and a
// lone '&' at the end is dropped. Without prefix handling the text is taken as it stands.
TextLine ResolvePrefixes(const QString& text, bool handlePrefixes);

// flags are the DT_* flags of Canvas::DrawText (DT_SINGLELINE, DT_WORDBREAK, DT_NOPREFIX count).
// width is only used with DT_WORDBREAK; a word wider than it stays whole on a line of its own.
// measure gives the width of a piece of text in the font.
using TextMeasure = std::function<int(const QString&)>;
std::vector<TextLine> BreakText(const QString& text, unsigned flags, int width,
                                const TextMeasure& measure);

}  // namespace tilvaro
