#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <string>
#include <vector>

// What FreeType itself makes of one character of the game's font, read
// straight from the library: the yardstick for the GL tests of the font.
struct GlyphImage {
    int width = 0;                       // bitmap columns
    int rows = 0;                        // bitmap rows
    int left = 0;                        // bearing from the pen to the bitmap's left edge
    int top = 0;                         // bearing from the baseline up to the bitmap's top row
    int advance = 0;                     // whole pixels the pen moves
    std::vector<unsigned char> coverage; // row by row from the top, 0 to 255

    int at(int column, int row) const {
        if (column < 0 || row < 0 || column >= width || row >= rows) {
            return 0;
        }
        return coverage[static_cast<size_t>(row) * width + column];
    }
};

class GlyphReference {
  public:
    // The font file at size points and 96 dpi, as the game sets it.
    GlyphReference(const std::string& path, int size);
    ~GlyphReference();
    GlyphReference(const GlyphReference&) = delete;
    GlyphReference& operator=(const GlyphReference&) = delete;

    void setSize(int size);
    GlyphImage render(unsigned char code) const;
    bool ok() const { return face != nullptr; }
    FT_Face rawFace() const { return face; }

  private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

// The game's font in the run directory.
extern const char* const gameFont;

// The virtual point nearest (vx, vy) that falls on a corner of a window pixel
// (the camera's projection may put virtual whole numbers between pixels).
// Glyphs drawn with their pen there show one texel per pixel, each pixel
// centre sampling a texel centre.
void snapToPixelCorner(float& vx, float& vy);
