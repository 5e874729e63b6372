// Text on the printer: the logical font of the context and character-by-character
// drawing at a fixed pitch, so positions never depend on the font's glyph widths.
#pragma once

#include <cstdint>
#include <string_view>

#include "graph/graph_context.h"

namespace yobina {

// Copies the face name (code page 932, at most 31 bytes kept) and creates the
// font at once with the current height, width and escapement.
void G_SetFontName(TGraphContext& gc, std::string_view faceName);

// Character height, full-width character width and the gap after it, in mm.
// Takes effect at the next G_Text.
void G_SetTextSize(TGraphContext& gc, double height, double width, double gap);

void G_SetTextAngle(TGraphContext& gc, double radians);

// Transparent text background and the given colour (0x00BBGGRR).
void G_SetTextColor(TGraphContext& gc, uint32_t colorRef);

// Height and width in dots (width of a full-width character), angle in radians:
// fills the logical font (FontScale applied, rounded half to even, 1..5120
// dots) and re-creates it.
void G_ApplyFont(TGraphContext& gc, double height, double width, double angle);

// Draws code page 932 text with its first character's foot at (x, y) mm, one
// device call per character. Points beyond 1,000,000 dots are dropped without
// touching the font; otherwise the font is re-created even for empty text. A
// lead byte at the very end, without its trail byte, is not drawn.
void G_Text(TGraphContext& gc, std::string_view text, double x, double y);

}  // namespace yobina
