#pragma once

#include "graphics/Texture.h"

// A textured, tinted unit quad placed in the virtual space: scaled to its
// size, rotated about its centre, optionally blended. The texture is shared
// and owned by the cache.
class Sprite {
  public:
    Sprite();
    // Non-virtual on purpose: sprites are value members, never deleted
    // through a base pointer.
    ~Sprite();
    // Copies every field; the overwritten texture is not released.
    Sprite(const Sprite&) = default;
    Sprite& operator=(const Sprite&) = default;

    void setX(float value) { x = value; }
    void setY(float value) { y = value; }
    void setAngle(float value) { angle = value; }
    void setAlpha(float value) { alpha = value; }

    // Shows the picture at path; returns its GL name, -1 if it failed.
    int setTexture(const char* path);
    void changeTexture(const char* path) { setTexture(path); }

    // Apply this sprite's GL state and transform, and undo the matrix pushes.
    void beginDraw();
    void endDraw();

    virtual void draw();

    float x = 0, y = 0, z = 0;
    float offsetX = 0, offsetY = 0, offsetZ = 0;
    float scaleX = 1, scaleY = 1, scaleZ = 1;
    float angle = 0;
    // Kept together, in this order, so they go to glColor4fv as one array.
    float red = 1, green = 1, blue = 1, alpha = 1;
    bool blend = true;
    bool hidden = false;
    float texOffsetU = 0, texOffsetV = 0;
    float texScaleU = 1, texScaleV = 1;
    bool textureTransform = false;
    Texture* texture = nullptr;
    unsigned quadList = 0;
};

// What sprite drawing last applied, so unchanged state is not set again.
// Only sprite drawing updates these; tests may reset them.
extern int boundTexture;
extern bool blendApplied;
// The shared unit quad; 0 until a sprite is built with a GL context current.
extern unsigned sharedQuadList;
