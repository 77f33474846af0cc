#pragma once

#include <cstddef>
#include <ft2build.h>
#include FT_FREETYPE_H

// A TrueType font rasterised once into 128 display lists, one per character
// code 0 to 127. The list of code k draws that glyph as a textured quad
// standing on the baseline at the pen, then moves the pen right by the glyph's
// advance, so calling the lists for the bytes of a string sets it left to
// right. Needs a current GL context while it is built, drawn and destroyed.
class Font {
  public:
    // Failures are reported on standard output; the font is then usable but
    // draws nothing for the characters it could not build.
    Font(const char* path, int size);
    ~Font();
    // Owns GL names: never copied.
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Calls the lists for the bytes of text, relative to the list base that
    // the caller selected with glListBase(listBase). Bytes 128 to 255 have no
    // glyph: they draw nothing and leave the pen where it is.
    void callLists(const char* text, std::size_t length) const;

    // The requested size rounded up to a power of two; its integer part is the
    // number of glyph pixels in one line unit of a text sprite.
    float height = 1;
    // Texture of character code k at index k.
    unsigned* textures = nullptr;
    // First of the 128 lists; 0 if none could be reserved.
    unsigned listBase = 0;
    // How far the list of character code k moves the pen, in glyph pixels;
    // 0 for characters without a glyph.
    int advances[128] = {};

    // How far one character moves the pen, in glyph pixels (codes 128 and
    // up have no glyph: 0).
    float advance(char c) const {
        const auto code = static_cast<unsigned char>(c);
        return code < 128 ? static_cast<float>(advances[code]) : 0.0f;
    }

    // How far text takes the pen, in glyph pixels.
    float penAdvance(const char* text) const {
        float pen = 0;
        for (; *text; ++text) {
            pen += advance(*text);
        }
        return pen;
    }
};

// Rasterises one character of face into textures[code] and compiles its list
// listBase + code; returns how far the list moves the pen. On failure the list
// and texture stay empty and the result is 0.
int makeGlyphList(FT_Face face, char code, unsigned listBase, unsigned* textures);
