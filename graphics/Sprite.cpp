#include "graphics/Sprite.h"

#include <GL/gl.h>
#include <GL/glx.h>

int boundTexture = -1;
bool blendApplied = false;
unsigned sharedQuadList = 0;

namespace {

// The unit square centred on the origin, counter-clockwise seen from +z, with
// texture row 0 along its top edge.
void buildQuadList() {
    // Sprites of the static screens are built before the window exists; they
    // get the quad later, when their screen assigns a fresh sprite in enter().
    if (glXGetCurrentContext() == nullptr) {
        return;
    }
    const GLuint list = glGenLists(1);
    if (list == 0) {
        return;
    }
    glNewList(list, GL_COMPILE);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 1);
    glVertex3f(-0.5f, -0.5f, 0);
    glTexCoord2f(1, 1);
    glVertex3f(0.5f, -0.5f, 0);
    glTexCoord2f(1, 0);
    glVertex3f(0.5f, 0.5f, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-0.5f, 0.5f, 0);
    glEnd();
    glEndList();
    sharedQuadList = list;
}

} // namespace

Sprite::Sprite() {
    if (sharedQuadList == 0) {
        buildQuadList();
    }
    quadList = sharedQuadList;
}

Sprite::~Sprite() {
    if (texture) {
        texture->release();
    }
}

int Sprite::setTexture(const char* path) {
    if (texture) {
        texture->release();
    }
    texture = getTexture(path);
    return texture->glName;
}

void Sprite::beginDraw() {
    const int wanted = texture ? texture->glName : -1;
    if (wanted != boundTexture) {
        if (boundTexture == -1) {
            glEnable(GL_TEXTURE_2D);
        }
        if (wanted == -1) {
            glDisable(GL_TEXTURE_2D);
        } else {
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(wanted));
        }
        boundTexture = wanted;
    }
    if (blend != blendApplied) {
        if (blend) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        } else {
            glDisable(GL_BLEND);
        }
        blendApplied = blend;
    }
    glPushMatrix();
    const float colour[4] = {red, green, blue, alpha};
    glColor4fv(colour);
    glTranslatef(x, y, z);
    glRotatef(angle, 0, 0, 1);
    glTranslatef(offsetX, offsetY, offsetZ);
    glScalef(scaleX, scaleY, scaleZ);
    if (textureTransform) {
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(texOffsetU, texOffsetV, 0);
        glScalef(texScaleU, texScaleV, 0);
    }
}

void Sprite::endDraw() {
    if (textureTransform) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    glPopMatrix();
}

void Sprite::draw() {
    if (hidden) {
        return;
    }
    beginDraw();
    glCallList(quadList);
    endDraw();
}
