#include "audio/SoundBank.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <algorithm>
#include <cstring>
#include <iostream>

namespace {
constexpr int mixingRate = 44100;
constexpr int outputChannels = 2;
// Frames per mixing buffer: about 23 ms, short enough that speech starts
// promptly after it is handed over.
constexpr int bufferFrames = 1024;
} // namespace

SoundBank::SoundBank() {
    for (int i = 0; i < capacity; ++i) {
        samples[i] = nullptr;
        names[i] = "";
        channels[i] = 0;
    }
}

SoundBank::~SoundBank() {
    if (!audioOpen) {
        return;
    }
    // Only channels this bank started: a handle of 0 would be channel -1,
    // which SDL_mixer reads as "every channel".
    for (int i = 0; i < capacity; ++i) {
        if (channels[i] != 0) {
            Mix_HaltChannel(channels[i] - 1);
        }
    }
    for (int i = 0; i < count; ++i) {
        Mix_FreeChunk(samples[i]);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundBank::init() {
    if (initialised) {
        return;
    }
    initialised = true;
    // SDL would otherwise take over SIGINT and SIGTERM and only queue a quit
    // event that nothing reads; the game handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without a device (no sound server, no card) the game simply runs
    // silently: every later load keeps a null sample.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    if (Mix_OpenAudio(mixingRate, MIX_DEFAULT_FORMAT, outputChannels, bufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(capacity);
    audioOpen = true;
}

void SoundBank::load(const char* path, const char* name) {
    if (!path || !name) {
        std::cout << "ERROR: A sound needs both a file and a name" << std::endl;
        return;
    }
    if (count == capacity) {
        std::cout << "ERROR: Sound bank is full (" << capacity << " samples), not loading " << name
                  << std::endl;
        return;
    }
    // Decoded whole into the mixer's format (MP3 through libmpg123), so that
    // looping replays it from memory without a gap.
    samples[count] = audioOpen ? Mix_LoadWAV(path) : nullptr;
    names[count] = name;
    ++count;
    std::cout << "Loaded Sound " << name << std::endl;
}

int SoundBank::play(const char* name) {
    if (!name) {
        std::cout << "ERROR: Sample without a name not found" << std::endl;
        return 0;
    }
    for (int i = 0; i < capacity; ++i) {
        if (std::strcmp(names[i], name) != 0) {
            continue;
        }
        if (!samples[i]) {
            std::cout << "ERROR: No sample associated with " << names[i] << std::endl;
            continue;
        }
        const int channel = Mix_PlayChannel(-1, samples[i], -1);
        if (channel < 0) {
            std::cout << "ERROR: No free channel to play " << name << std::endl;
            return 0;
        }
        channels[i] = channel + 1;
        return channels[i];
    }
    std::cout << "ERROR: Sample " << name << " not found" << std::endl;
    return 0;
}

void SoundBank::setPaused(const char* name, bool paused) {
    if (!audioOpen || !name) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (channels[i] != 0 && std::strcmp(names[i], name) == 0) {
            if (paused) {
                Mix_Pause(channels[i] - 1);
            } else {
                Mix_Resume(channels[i] - 1);
            }
        }
    }
}

void SoundBank::setVolume(int percent) {
    if (audioOpen) {
        Mix_Volume(-1, std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100);
    }
}
