#pragma once

#include <cstdint>

struct Mix_Chunk;

// Up to 32 sound samples kept under short names and played by name, through
// SDL2_mixer. The battle screen owns the one bank of the game: it is built
// before main() and plays the looping background music until exit.
//
// When no audio device can be opened the bank stays silent: loads keep null
// samples and plays report them, exactly as for a file that failed to load.
class SoundBank {
  public:
    static constexpr int capacity = 32;

    // An empty bank; the audio device is not touched until init().
    SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;
    // Stops the channels this bank started, frees its samples and closes the
    // audio device if init() opened it.
    ~SoundBank();

    // Opens the audio device: 44100 Hz, stereo, 32 mixing channels. Once per
    // bank; a second call does nothing.
    void init();

    // Decodes the whole file (WAV, MP3, ...) into the next slot under name.
    // name is kept by pointer, so it must outlive the bank (a literal does).
    // Reports "Loaded Sound <name>" even when decoding failed. A load into a
    // full bank is refused with a message and changes nothing.
    void load(const char* path, const char* name);

    // Starts the first sample carrying name, looping for ever, on a free
    // channel. Returns a handle for that playback (the SDL channel + 1), or 0
    // when nothing was played.
    int play(const char* name);

    // Holds or resumes where it was the sample carrying name, if it plays.
    void setPaused(const char* name, bool paused);
    // The loudness of every sample, 0 to 100 percent of full.
    void setVolume(int percent);

  private:
    // Parallel tables, one entry per slot, filled in load order.
    Mix_Chunk* samples[capacity];
    const char* names[capacity];
    int32_t channels[capacity]; // handle last started for the slot; 0 = never
    int32_t count = 0;
    bool initialised = false;
    bool audioOpen = false;
};
