#include "tests/graphics/GlyphReference.h"

#include <GL/glu.h>
#include <cmath>

const char* const gameFont = "./AGENCYR.TTF";

GlyphReference::GlyphReference(const std::string& path, int size) {
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return;
    }
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        face = nullptr;
        return;
    }
    setSize(size);
}

GlyphReference::~GlyphReference() {
    if (face) {
        FT_Done_Face(face);
    }
    if (library) {
        FT_Done_FreeType(library);
    }
}

void GlyphReference::setSize(int size) { FT_Set_Char_Size(face, size * 64, size * 64, 96, 96); }

GlyphImage GlyphReference::render(unsigned char code) const {
    GlyphImage image;
    FT_Face f = face;
    if (FT_Load_Char(f, code, FT_LOAD_RENDER) != 0) {
        return image;
    }
    const FT_Bitmap& bitmap = f->glyph->bitmap;
    image.width = static_cast<int>(bitmap.width);
    image.rows = static_cast<int>(bitmap.rows);
    image.left = f->glyph->bitmap_left;
    image.top = f->glyph->bitmap_top;
    image.advance = static_cast<int>(f->glyph->advance.x >> 6);
    for (int row = 0; row < image.rows; ++row) {
        const unsigned char* line = bitmap.buffer + row * bitmap.pitch;
        image.coverage.insert(image.coverage.end(), line, line + image.width);
    }
    return image;
}

void snapToPixelCorner(float& vx, float& vy) {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(vx, vy, 0, modelview, projection, viewport, &wx, &wy, &wz);
    vx -= static_cast<float>(wx - std::round(wx));
    vy -= static_cast<float>(wy - std::round(wy));
}
