// Text on paper and in pictures: fonts sized for a canvas of a given
// resolution, and text blocks fitted to a width without losing a word.
#pragma once

#include <QFont>
#include <QStringList>

// The font in pixels of a canvas with `dpi` units per inch; a font already
// given in pixels stays as it is.
QFont FontAtDpi(const QFont& font, double dpi);

// Shrinks `font` (given in pixels) until the widest of `lines` fits `width`,
// down to a legible floor; lines still too wide are then broken after their
// last blank or slash that fits, or anywhere when none does.
QStringList FitToWidth(QFont& font, const QStringList& lines, double width);
