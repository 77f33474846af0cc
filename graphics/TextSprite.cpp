#include "graphics/TextSprite.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Everything the text drawing changes besides the matrices it pops itself.
const GLbitfield textAttributes = GL_LIST_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT;

} // namespace

TextSprite::TextSprite(Font* font) : font(font) {}

void TextSprite::setText(const char* format, ...) {
    lines.clear();
    if (format == nullptr) {
        return;
    }
    char buffer[1024];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0) {
        return; // nothing usable was formatted
    }
    const char* piece = buffer;
    for (const char* newline = std::strchr(piece, '\n'); newline != nullptr;
         newline = std::strchr(piece, '\n')) {
        lines.emplace_back(piece, newline);
        piece = newline + 1;
    }
    if (*piece != '\0') {
        lines.emplace_back(piece);
    }
}

int TextSprite::beginText() {
    beginDraw();
    glPushAttrib(textAttributes);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(font->listBase);
    glPushMatrix();
    const int h = static_cast<int>(font->height);
    const float unit = 1.0f / static_cast<float>(h);
    glScalef(unit, unit, unit);
    return h;
}

void TextSprite::endText() {
    glPopMatrix();
    glPopAttrib();
    // The glyph lists bound their own textures; a text sprite normally has no
    // picture (texturing is off again now), but if it has one, bind it back
    // so that sprite drawing's memo stays true.
    if (boundTexture != -1) {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    }
    endDraw();
}

void TextSprite::draw() {
    if (hidden || font == nullptr) {
        return;
    }
    const int h = beginText();
    for (const std::string& text : lines) {
        glTranslatef(0, -lineSpacing * static_cast<float>(h), 0);
        glPushMatrix();
        font->callLists(text.data(), text.size());
        glPopMatrix();
    }
    endText();
}

TextField::TextField(Font* font) : TextSprite(font) {
    cursorSprite.setTexture("./img/cursor.png");
    cursorSprite.red = 0;
    cursorSprite.green = 0;
    cursorSprite.blue = 0;
    cursorSprite.alpha = 1;
    lines.emplace_back();
}

const std::string& TextField::text() const {
    static const std::string none;
    return lines.empty() ? none : lines[0];
}

std::string& TextField::line() {
    if (lines.empty()) {
        lines.emplace_back();
    }
    const int length = static_cast<int>(lines[0].size());
    if (cursor < 0 || cursor > length) {
        cursor = cursor < 0 ? 0 : length;
    }
    return lines[0];
}

void TextField::clear() {
    line().clear();
    cursor = 0;
}

void TextField::insertChar(char ch) {
    std::string& text = line();
    text.insert(text.begin() + cursor, ch);
    ++cursor;
}

void TextField::backspace() {
    std::string& text = line();
    if (cursor > 0) {
        text.erase(static_cast<size_t>(cursor - 1), 1);
        --cursor;
    }
}

void TextField::deleteChar() {
    std::string& text = line();
    if (cursor < static_cast<int>(text.size())) {
        text.erase(static_cast<size_t>(cursor), 1);
    }
}

void TextField::cursorLeft() {
    line();
    if (cursor > 0) {
        --cursor;
    }
}

void TextField::cursorRight() {
    const std::string& text = line();
    if (cursor < static_cast<int>(text.size())) {
        ++cursor;
    }
}

void TextField::drawCaret(int h) {
    // The caret is an ordinary sprite, and sprite drawing trusts its memos of
    // the texture and blend state. The text set-up changed both behind their
    // back, so give the caret the state the memos describe, and afterwards
    // put back the memos that match the state the outer pop restores.
    const int memoTexture = boundTexture;
    const bool memoBlend = blendApplied;
    glPushAttrib(textAttributes);
    glPushMatrix();
    if (boundTexture == -1) {
        glDisable(GL_TEXTURE_2D);
    } else {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    }
    if (!blendApplied) {
        glDisable(GL_BLEND);
    }
    glTranslatef(2.0f, static_cast<float>(h / 3), 0);
    const float side = static_cast<float>(h);
    glScalef(side, side, side);
    cursorSprite.draw();
    // The pop gives back the field's own colour (the caret drew in black),
    // the list base and the text set-up.
    glPopMatrix();
    glPopAttrib();
    boundTexture = memoTexture;
    blendApplied = memoBlend;
}

void TextField::draw() {
    if (hidden || font == nullptr) {
        return;
    }
    const std::string& text = line();
    const size_t before = static_cast<size_t>(cursor);
    const int h = beginText();
    const float lineUnit = static_cast<float>(h);

    // The band in glyph pixels, and where the caret and the line's end fall.
    const float left = (clipLeft - x) / scaleX * lineUnit;
    const float right = (clipRight - x) / scaleX * lineUnit;
    float caretPen = 0;
    float end = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        end += font->advance(text[i]);
        if (i + 1 == before) {
            caretPen = end;
        }
    }
    // The caret's bar ends a little right of its pen.
    const float caretReach = 2.0f + lineUnit / 8.0f;

    // Which characters to draw, from where.
    size_t first = 0;
    size_t last = text.size();
    float firstPen = 0;
    const bool fits = end + caretReach <= right;
    if (fits) {
        scroll = 0;
        // Only what can reach the view is drawn: a player may type a line of
        // any length, and drawing all of it every frame would stall the game.
        last = visiblePrefix(text, h);
    } else {
        // Scroll no further than needed to show the caret, and never past
        // the end of the line.
        scroll = std::min(scroll, end + caretReach - right);
        scroll = std::max(scroll, caretPen + caretReach - right);
        scroll = std::max(0.0f, std::min(scroll, caretPen));
        // No glyph reaches further than a line unit from its pen.
        float pen = 0;
        while (first < text.size() && pen + font->advance(text[first]) + lineUnit < scroll + left) {
            pen += font->advance(text[first]);
            ++first;
        }
        firstPen = pen;
        last = first;
        while (last < text.size() && pen - lineUnit <= scroll + right) {
            pen += font->advance(text[last]);
            ++last;
        }
        const GLdouble leftEdge[4] = {1, 0, 0, -left};
        const GLdouble rightEdge[4] = {-1, 0, 0, right};
        glClipPlane(GL_CLIP_PLANE0, leftEdge);
        glClipPlane(GL_CLIP_PLANE1, rightEdge);
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CLIP_PLANE1);
        glTranslatef(firstPen - scroll, 0, 0);
    }

    if (before >= first) {
        font->callLists(text.data() + first, std::min(before, last) - first);
    }
    // Beyond the drawn characters there is no caret or rest to draw.
    if (before >= first && before <= last) {
        drawCaret(h);
        font->callLists(text.data() + before, last - before);
    }
    endText();
}

size_t TextField::visiblePrefix(const std::string& text, int h) const {
    // Where the current transform puts a glyph-pixel point (x, y) in clip
    // space: row r of projection times modelview, as column-major matrices.
    GLfloat mv[16], pr[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glGetFloatv(GL_PROJECTION_MATRIX, pr);
    const auto at = [&](int row, int col) {
        float sum = 0;
        for (int k = 0; k < 4; ++k) {
            sum += pr[k * 4 + row] * mv[col * 4 + k];
        }
        return sum;
    };
    // Only a field that runs straight left to right on the screen, without
    // rotation or perspective, is cut short; any other is drawn whole.
    const float xScale = at(0, 0), xShift = at(0, 3), w = at(3, 3);
    if (xScale <= 0 || at(0, 1) != 0 || at(1, 0) != 0 || at(3, 0) != 0 || at(3, 1) != 0 || w <= 0) {
        return text.size();
    }
    // No glyph reaches further left than h before its pen: once that lies
    // right of the view, so do all that follow (pens only move right).
    float pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((xScale * (pen - static_cast<float>(h)) + xShift) / w > 1.0f) {
            return i;
        }
        pen += font->advance(text[i]);
    }
    return text.size();
}
