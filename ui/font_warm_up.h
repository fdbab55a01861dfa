#pragma once
// Loading a font ahead of its first use: the first text a font draws costs
// finding and opening its file, building its shaping tables and drawing each
// character's picture, some milliseconds each time a page first shows a font.

#include <QFont>

namespace cv {

// Glyph pictures are drawn and cached for each quarter pixel of their
// horizontal place.
inline constexpr int kGlyphPositions = 4;

// Measures and draws every printable character of the code page with Font,
// off screen, shifted by Position quarter pixels (0 .. kGlyphPositions - 1),
// so that Qt's caches hold the font's face, shaping plan, advances and the
// glyph pictures of that place.
void WarmUpFont(const QFont& font, int position);

}  // namespace cv
