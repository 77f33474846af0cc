#pragma once

#include "graphics/Font.h"
#include "graphics/Sprite.h"

#include <limits>
#include <string>
#include <vector>

// A sprite that draws lines of text with a Font instead of a picture. The text
// is drawn in the sprite's local space, one line unit high (the font's height
// in glyph pixels), so the sprite's scale sets the size on screen and its
// colour and alpha tint and fade the text.
class TextSprite : public Sprite {
  public:
    // The font is not owned and must outlive every draw.
    explicit TextSprite(Font* font);
    // Sprite itself has no virtual destructor; text sprites are held on the
    // heap and deleted through TextSprite pointers (a TextField among them),
    // which this makes safe.
    virtual ~TextSprite() = default;
    TextSprite(const TextSprite&) = default;
    TextSprite& operator=(const TextSprite&) = default;

    // Formats printf-style (at most 1023 characters are kept) and splits the
    // result into lines at each newline; a trailing newline adds no empty
    // line. A null format leaves no lines.
    void setText(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Each line's baseline lies lineSpacing line units below the previous
    // one, the first below the sprite's origin.
    void draw() override;

    std::vector<std::string> lines;
    Font* font;
    float lineSpacing = 1.587f;

  protected:
    // Sprite state and transform, then the text state with one glyph pixel
    // as the unit; returns the glyph pixels per line unit. endText undoes it.
    int beginText();
    void endText();
};

// One editable line of text with a caret picture at the editing position.
class TextField : public TextSprite {
  public:
    explicit TextField(Font* font);
    // A field holds exactly one line, changed only by the editing steps.
    void setText(const char* format, ...) = delete;

    const std::string& text() const;
    void clear();
    // Inserts at the caret and moves the caret past the new character.
    void insertChar(char ch);
    // Removes the character before the caret, if any, and moves it left.
    void backspace();
    // Removes the character after the caret, if any.
    void deleteChar();
    void cursorLeft();
    void cursorRight();

    // The text's baseline is the sprite's origin.
    void draw() override;

    // The band the line may show in, left and right, in the units of x (the
    // space the field is placed in); unbounded unless set. A line that does
    // not fit is cut off at both ends and scrolled sideways so that the caret
    // always shows; a line that fits is drawn as if there were no band.
    float clipLeft = -std::numeric_limits<float>::infinity();
    float clipRight = std::numeric_limits<float>::infinity();

    // The caret: "./img/cursor.png" in black, one line unit square.
    Sprite cursorSprite;
    // Number of characters before the caret, 0 to the text's length.
    int cursor = 0;

    // How many leading characters of text can show with the current
    // transform (set up for drawing text with h glyph pixels per line unit);
    // the others start beyond the right edge of the view.
    size_t visiblePrefix(const std::string& text, int h) const;

  private:
    // The edited line, recreated if someone emptied the lines, with the caret
    // brought back inside it.
    std::string& line();
    // Draws the caret where the pen stands (glyph pixels, h per line unit).
    void drawCaret(int h);

    // How far the line is scrolled left inside its band, in glyph pixels.
    float scroll = 0;
};
