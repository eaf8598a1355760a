// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>

// The windows' typeface: Tahoma or MS Sans Serif where the computer has them, else DejaVu Sans.
// Hinted fully and set without kerning or ligatures, as the classic Windows faces are drawn; that
// also renders each character once instead of once per sub-pixel position and spares the text
// shaping, which shortens the start noticeably.
QFont windowFont(int pixelSize, bool bold = false);

// The face windowFont() uses: the first of Tahoma and MS Sans Serif that is installed, else
// DejaVu Sans. Only installed faces are named, because naming an absent one sends the toolkit on
// a font search of its own.
QString windowFamily();

// Before the application object is made: on Windows, has the toolkit draw text with FreeType
// instead of its default glyph path through GDI, which under Wine's Tahoma at 96 dpi drops
// hyphens, dashes and fraction bars and draws the degree sign as "^". A platform given on the
// command line (-platform) or in QT_QPA_PLATFORM is left as it is. Elsewhere it does nothing.
void chooseWholeGlyphFontEngine(int argc, char **argv);
