#include "graphics/Font.h"

#include FT_GLYPH_H
#include <GL/gl.h>
#include <iostream>
#include <vector>

namespace {

const int glyphCount = 128;

// The smallest power of two at least value (1 for values of 1 or less).
int powerOfTwoAtLeast(int value) {
    int result = 1;
    while (result < value && result < (1 << 30)) {
        result *= 2;
    }
    return result;
}

// Coverage 0 to 255 of pixel (column i, row j from the top) of a rendered
// glyph. The anti-aliased renderer gives grey bitmaps; fonts with embedded
// bitmaps may give one bit per pixel instead.
unsigned char coverageAt(const FT_Bitmap& bitmap, unsigned i, unsigned j) {
    const unsigned stride = static_cast<unsigned>(bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch);
    // A negative pitch stores the rows bottom first.
    const unsigned row = bitmap.pitch < 0 ? bitmap.rows - 1 - j : j;
    const unsigned char* bytes = bitmap.buffer + row * stride;
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_GRAY:
        return bytes[i];
    case FT_PIXEL_MODE_MONO:
        return (bytes[i / 8] & (0x80 >> (i % 8))) ? 255 : 0;
    default:
        return 0;
    }
}

} // namespace

int makeGlyphList(FT_Face face, char code, unsigned listBase, unsigned* textures) {
    const unsigned char index = static_cast<unsigned char>(code);
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, index), FT_LOAD_DEFAULT) != 0) {
        std::cout << "FT_Load_Glyph failed" << std::endl;
        return 0;
    }
    FT_Glyph glyph = nullptr;
    if (FT_Get_Glyph(face->glyph, &glyph) != 0) {
        std::cout << "FT_Get_Glyph failed" << std::endl;
        return 0;
    }
    // Reading a glyph that did not become a bitmap as one would read foreign
    // memory, so this failure is caught too.
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) != 0 ||
        glyph->format != FT_GLYPH_FORMAT_BITMAP) {
        std::cout << "FT_Glyph_To_Bitmap failed" << std::endl;
        FT_Done_Glyph(glyph);
        return 0;
    }
    const FT_BitmapGlyph bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(glyph);
    const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
    const int w = static_cast<int>(bitmap.width);
    const int r = static_cast<int>(bitmap.rows);
    const int W = powerOfTwoAtLeast(w);
    const int H = powerOfTwoAtLeast(r);

    // Luminance and alpha both carry the coverage; outside the bitmap is 0.
    std::vector<unsigned char> texels(static_cast<size_t>(W) * H * 2, 0);
    for (int j = 0; j < r; ++j) {
        for (int i = 0; i < w; ++i) {
            const unsigned char c = coverageAt(bitmap, i, j);
            texels[(static_cast<size_t>(j) * W + i) * 2] = c;
            texels[(static_cast<size_t>(j) * W + i) * 2 + 1] = c;
        }
    }
    glBindTexture(GL_TEXTURE_2D, textures[index]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // A texture one texel wide has rows of two bytes, which GL's default
    // 4-byte row alignment would misread.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, W, H, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 texels.data());
    glPopClientAttrib();

    const float x = static_cast<float>(w) / W;
    const float y = static_cast<float>(r) / H;
    glNewList(listBase + index, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, textures[index]);
    glPushMatrix();
    glTranslatef(static_cast<float>(bitmapGlyph->left), 0, 0);
    glTranslatef(0, static_cast<float>(bitmapGlyph->top - r), 0);
    // Texture row 0 is the glyph's top row, so it goes to the top edge.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, static_cast<float>(r));
    glTexCoord2f(0, y);
    glVertex2f(0, 0);
    glTexCoord2f(x, y);
    glVertex2f(static_cast<float>(w), 0);
    glTexCoord2f(x, 0);
    glVertex2f(static_cast<float>(w), static_cast<float>(r));
    glEnd();
    glPopMatrix();
    // Whole pixels, rounded down; pairs of characters are not kerned.
    const int advance = static_cast<int>(face->glyph->advance.x >> 6);
    glTranslatef(static_cast<float>(advance), 0, 0);
    glEndList();

    FT_Done_Glyph(glyph);
    return advance;
}

Font::Font(const char* path, int size) {
    textures = new unsigned[glyphCount]();
    listBase = glGenLists(glyphCount);
    glGenTextures(glyphCount, textures);
    height = static_cast<float>(powerOfTwoAtLeast(size));

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << "FT_Init_FreeType failed" << std::endl;
        return;
    }
    FT_Face face = nullptr;
    if (path == nullptr || FT_New_Face(library, path, 0, &face) != 0) {
        std::cout << "FT_New_Face failed loading font " << (path ? path : "(no path)") << std::endl;
        FT_Done_FreeType(library);
        return;
    }
    // The requested size, not the rounded height, in 26.6 points at 96 dpi.
    FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(size) * 64, static_cast<FT_F26Dot6>(size) * 64,
                     96, 96);
    // Without reserved lists there is nowhere to compile the glyphs to.
    if (listBase != 0) {
        for (int code = 0; code < glyphCount; ++code) {
            advances[code] = makeGlyphList(face, static_cast<char>(code), listBase, textures);
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

Font::~Font() {
    if (listBase != 0) {
        glDeleteLists(listBase, glyphCount);
    }
    glDeleteTextures(glyphCount, textures);
    delete[] textures;
}

void Font::callLists(const char* text, std::size_t length) const {
    if (listBase == 0 || text == nullptr) {
        return;
    }
    // One call per run of bytes that have a glyph, skipping the others.
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        const bool runEnds = i == length || static_cast<unsigned char>(text[i]) >= glyphCount;
        if (!runEnds) {
            continue;
        }
        if (i > runStart) {
            glCallLists(static_cast<GLsizei>(i - runStart), GL_UNSIGNED_BYTE, text + runStart);
        }
        runStart = i + 1;
    }
}
