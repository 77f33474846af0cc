#include "app/Toast.h"

#include "app/FrameClock.h"
#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "graphics/TextSprite.h"

namespace {

constexpr float showFor = 1.2f, fadeFor = 0.5f;
constexpr float textScale = 22, middleY = 262, bandHeight = 38;

struct Toast {
    // Made at the first toast: a font needs the window's context.
    Font* font = nullptr;
    TextSprite* text = nullptr;
    Sprite band;
    float left = 0; // seconds still to show
};

Toast& toast() {
    // Lives to the end of the process, like the textures it draws with.
    static Toast& one = *new Toast;
    return one;
}

} // namespace

void showToast(const char* message) {
    Toast& t = toast();
    if (!t.font) {
        t.font = new Font("./AGENCYR.TTF", 31);
        t.text = new TextSprite(t.font);
        t.text->scaleX = t.text->scaleY = t.text->scaleZ = textScale;
        t.band = Sprite();
        t.band.red = 0.17f;
        t.band.green = 0.14f;
        t.band.blue = 0.25f;
    }
    t.text->setText("%s", message);
    const float width = t.font->penAdvance(message) * textScale / t.font->height;
    // Centred, its baseline a little below the band's middle.
    t.text->x = -width / 2;
    t.text->y = middleY - 7 + t.text->lineSpacing * textScale;
    t.band.scaleX = width + 36;
    t.band.scaleY = bandHeight;
    t.band.y = middleY;
    t.left = showFor + fadeFor;
}

bool updateToast() {
    Toast& t = toast();
    if (t.left <= 0) {
        return false;
    }
    t.left -= frameDelta;
    return true;
}

void drawToast() {
    Toast& t = toast();
    if (t.left <= 0 || !t.text) {
        return;
    }
    const float alpha = t.left < fadeFor ? t.left / fadeFor : 1.0f;
    t.band.alpha = 0.85f * alpha;
    t.text->alpha = alpha;
    t.band.draw();
    t.text->draw();
}
