#include "audio/SoundBank.h"
#include "audio/SpeechVoice.h"
#include "tests/audio/AudioCapture.h"

#include <SDL2/SDL_mixer.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

// The battle screen is a global, so the game starts its music before main()
// runs and stops it after main() has returned. This program does the same,
// with the test command pointing SDL's disk driver at a file.

namespace {

struct MusicFromTheStart {
    SoundBank bank;
    int handle = 0;
    MusicFromTheStart() {
        bank.init();
        bank.load("./sounds/bg.mp3", "bg");
        handle = bank.play("bg");
    }
} musicFromTheStart;

TEST(StartupMusicTest, MusicStartedBeforeMainIsPlayingAndHeard) {
    ASSERT_NE(musicFromTheStart.handle, 0);
    EXPECT_EQ(Mix_Playing(musicFromTheStart.handle - 1), 1);

    const char* file = std::getenv("SDL_DISKAUDIOFILE");
    ASSERT_NE(file, nullptr);
    std::vector<int16_t> heard;
    for (int attempt = 0; attempt < 100 && heard.size() < 2u * testaudio::rate; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        heard = testaudio::readSamples(file);
    }
    ASSERT_GE(heard.size(), 2u * testaudio::rate);
    const auto loudest = std::max_element(
        heard.begin(), heard.end(), [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
    EXPECT_GT(std::abs(*loudest), 3000) << "the music is in the output";
}

// The game ends with exit() in the middle of a battle, its voice never
// released and perhaps still speaking. The voice must then be shut down
// before the sound bank closes the audio output: this program has to end
// cleanly (the test command checks its exit status) with a voice left talking.
TEST(StartupMusicTest, AVoiceLeftSpeakingAtExitDoesNotHoldUpTheEnd) {
    // Held where the game holds it, in an object that lives to the end.
    static SpeechVoice* voice = nullptr;
    voice = createSpeechVoice();
    ASSERT_NE(voice, nullptr);
    speakText(voice, "Still talking when the game ends.");
    speakText(voice, "And this is still waiting to be said.");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

} // namespace
