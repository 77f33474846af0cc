#pragma once

#include <cstdint>
#include <map>
#include <string>

// One picture, uploaded once and shared by every sprite that shows it. Records
// live until the process ends; a glName of -1 marks a picture that could not
// be loaded, which sprites draw untextured.
struct Texture {
    int32_t glName = -1;
    int32_t refCount = 1;
    // The path that loaded it (the record's own copy), or null if loading
    // failed.
    const char* path = nullptr;

    // Decodes and uploads the picture; returns glName (-1 on failure).
    int load(const char* file);
    // Called when a sprite lets go of the picture. Pictures stay cached for
    // the whole run, so this does nothing.
    void release() {}

  private:
    std::string ownPath;
};

// Keyed by the path's characters, so a picture is decoded once per run
// whoever asks for it and however the caller stores the path.
using TextureCache = std::map<std::string, Texture*>;
// Lives for the whole process, records included (never destroyed).
extern TextureCache& textureCache;

// The shared record for path, loaded on the first request. Never null. Needs a
// current GL context.
Texture* getTexture(const char* path);

// How many times DevIL has been initialised (0 or 1); for tests.
int textureLibraryInitCount();
