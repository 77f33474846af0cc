#include "graphics/Texture.h"

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <iostream>

namespace {
int ilInitCount = 0;
}

int textureLibraryInitCount() { return ilInitCount; }

Texture* getTexture(const char* path) {
    const std::string key = path ? path : "";
    auto found = textureCache.find(key);
    if (found != textureCache.end()) {
        ++found->second->refCount;
        return found->second;
    }
    auto* texture = new Texture();
    texture->load(key.c_str());
    textureCache.emplace(key, texture);
    return texture;
}

int Texture::load(const char* file) {
    if (ilInitCount == 0) {
        ilInit();
        iluInit();
        ilutRenderer(ILUT_OPENGL);
        ++ilInitCount;
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(file)) {
        // Our quads put texture row 0 at the top edge, so the picture's top
        // row must be uploaded first. ILUT turns pictures stored top-down
        // upside down while uploading them; flip those beforehand so that the
        // two flips cancel out.
        if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT) {
            iluFlipImage();
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        GLuint name = 0;
        glGenTextures(1, &name);
        glName = static_cast<int32_t>(name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        ilutGLTexImage(0);
        ownPath = file;
        path = ownPath.c_str();
        std::cout << "Loaded texture " << file << std::endl;
    } else {
        std::cout << "Couldn't load texture " << file << std::endl;
    }
    ilDeleteImages(1, &image);
    return glName;
}
