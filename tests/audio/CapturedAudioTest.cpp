#include "audio/SoundBank.h"
#include "audio/SpeechVoice.h"
#include "tests/audio/AudioCapture.h"

#include <SDL2/SDL_mixer.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

// The game's real output, captured through SDL's disk driver and measured.

namespace {

using testaudio::bestMatch;
using testaudio::Capture;
using testaudio::envelope;
using testaudio::Match;
using testaudio::trimmed;

constexpr size_t window = testaudio::rate / 50; // 20 ms
constexpr double windowSeconds = 0.02;
// Envelope level above which speech counts as sounding (about -60 dBFS).
constexpr double speechFloor = 30;

const char* const longText = "Your circuits are rusty and your jokes are older than you.";
const char* const shortText = "You fight like a toaster.";

double rmsOf(const std::vector<int16_t>& stereo, size_t fromFrame, size_t frames) {
    double sum = 0;
    for (size_t i = 2 * fromFrame; i < 2 * (fromFrame + frames); ++i) {
        sum += static_cast<double>(stereo[i]) * stereo[i];
    }
    return std::sqrt(sum / (2 * frames));
}

double decibels(double rms) { return 20 * std::log10(rms / 32768); }

void expectCaptureFormat() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    ASSERT_EQ(rate, testaudio::rate);
    ASSERT_EQ(format, AUDIO_S16LSB);
    ASSERT_EQ(channels, 2);
}

// Speaks the texts, in quick succession, through a fresh bank and voice, and
// returns the envelope of what was heard, from the first sound to the last.
std::vector<double> spoken(const char* name, std::initializer_list<const char*> texts) {
    Capture capture(name);
    {
        SoundBank bank;
        bank.init();
        expectCaptureFormat();
        SpeechVoice* voice = createSpeechVoice();
        EXPECT_NE(voice, nullptr);
        for (const char* text : texts) {
            speakText(voice, text);
        }
        EXPECT_TRUE(capture.waitForSoundThenSilence(1.0, 20.0));
        releaseSpeechVoice(voice);
    }
    return trimmed(envelope(capture.samples(), window), speechFloor);
}

TEST(CapturedAudioTest, TheMusicIsAudibleAndLoopsWithoutAGapOrAClick) {
    // Faster than real time: 1024 frames (23 ms) every 2 ms.
    Capture capture("music.raw", 2);
    SoundBank bank;
    bank.init();
    expectCaptureFormat();
    bank.load("./sounds/bg.mp3", "bg");
    const int handle = bank.play("bg");
    ASSERT_NE(handle, 0);
    const size_t loop = Mix_GetChunk(handle - 1)->alen / 4;
    ASSERT_GE(loop, 30u * testaudio::rate);
    ASSERT_LE(loop, 90u * testaudio::rate);

    // The device wrote silence until the music started.
    ASSERT_TRUE(capture.waitForFrames(testaudio::rate, 30));
    std::vector<int16_t> heard = capture.samples();
    const auto firstSound = std::find_if(heard.begin(), heard.end(), [](int16_t s) { return s; });
    ASSERT_NE(firstSound, heard.end());
    const size_t start = (firstSound - heard.begin()) / 2;
    const size_t after = 2 * testaudio::rate; // checked beyond the loop's end
    ASSERT_TRUE(capture.waitForFrames(start + loop + after, 60));
    heard = capture.samples();

    // Audible, around -20 dB RMS.
    const double level = decibels(rmsOf(heard, start, loop));
    EXPECT_GT(level, -24.0);
    EXPECT_LT(level, -16.0);

    // Still playing after its own length: the same samples come round again.
    const std::vector<int16_t> firstPass(heard.begin() + 2 * start,
                                         heard.begin() + 2 * (start + after));
    const std::vector<int16_t> secondPass(heard.begin() + 2 * (start + loop),
                                          heard.begin() + 2 * (start + loop + after));
    EXPECT_TRUE(firstPass == secondPass);

    // No gap: nowhere within half a second of the seam are 20 ms quieter than
    // the quietest 20 ms elsewhere in the loop.
    const std::vector<double> env = envelope(
        std::vector<int16_t>(heard.begin() + 2 * start, heard.begin() + 2 * (start + loop)),
        window);
    const double quietestInside = *std::min_element(env.begin() + 25, env.end() - 25);
    const size_t seam = start + loop;
    for (size_t at = seam - 25 * window; at < seam + 25 * window; at += window / 2) {
        EXPECT_GE(rmsOf(heard, at, window), quietestInside)
            << "at " << static_cast<long>(at) - static_cast<long>(seam) << " frames";
    }

    // No click: the step from one sample to the next across the seam is no
    // bigger than the biggest one in 99.9 % of the loop.
    std::vector<int> steps;
    for (size_t i = 2 * (start + 1); i < 2 * (start + loop); ++i) {
        steps.push_back(std::abs(heard[i] - heard[i - 2]));
    }
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    const int usualStep = steps[steps.size() * 999 / 1000];
    for (size_t i = 2 * (seam - 8); i < 2 * (seam + 8); ++i) {
        EXPECT_LE(std::abs(heard[i] - heard[i - 2]), usualStep)
            << "at " << static_cast<long>(i / 2) - static_cast<long>(seam);
    }
}

TEST(CapturedAudioTest, TextsInQuickSuccessionAreAllHeardInOrderNoneCutOff) {
    const std::vector<double> longOne = spoken("long.raw", {longText});
    const std::vector<double> shortOne = spoken("short.raw", {shortText});
    // Three, so that the last two wait together while the first is spoken.
    const std::vector<double> all = spoken("all.raw", {longText, shortText, longText});
    ASSERT_GT(longOne.size() * windowSeconds, 2.0);
    ASSERT_GT(shortOne.size() * windowSeconds, 0.8);

    // Each one whole, one after the other: none cut, none over another.
    ASSERT_GE(all.size(), 2 * longOne.size() + shortOne.size());
    const std::vector<double> opening(all.begin(), all.begin() + longOne.size());
    const std::vector<double> closing(all.end() - longOne.size(), all.end());
    EXPECT_GT(bestMatch(opening, longOne).score, 0.85) << "the long text opens the speech";
    EXPECT_GT(bestMatch(closing, longOne).score, 0.85) << "and closes it";
    const Match middle = bestMatch(all, shortOne);
    EXPECT_GT(middle.score, 0.85);
    EXPECT_GE(middle.offset, longOne.size()) << "the short text comes after the first";
    EXPECT_LE(middle.offset + shortOne.size(), all.size() - longOne.size())
        << "and before the last";
}

TEST(CapturedAudioTest, SpeechIsMixedOverTheMusicWithoutStoppingIt) {
    const std::string tone = testaudio::writeTone("music.wav", 1.0, 220, 0.05);
    Capture capture("mixed.raw");
    SoundBank bank;
    bank.init();
    bank.load(tone.c_str(), "bg");
    ASSERT_NE(bank.play("bg"), 0);
    ASSERT_TRUE(capture.waitForFrames(testaudio::rate / 2, 10));
    SpeechVoice* voice = createSpeechVoice();
    ASSERT_NE(voice, nullptr);
    speakText(voice, shortText);
    // Speech and its end pause, then some more music.
    std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    releaseSpeechVoice(voice);
    const std::vector<int16_t> heard = capture.samples();

    const std::vector<double> env = envelope(heard, window);
    const auto toneStart = std::find_if(env.begin(), env.end(), [](double v) { return v > 0; });
    ASSERT_NE(toneStart, env.end());
    const double toneLevel = *(toneStart + 5);
    EXPECT_NEAR(toneLevel, 0.05 * 32767 / std::sqrt(2), 50);
    EXPECT_GT(*std::max_element(toneStart, env.end()), 4 * toneLevel) << "speech above the music";
    EXPECT_NEAR(env.back(), toneLevel, 0.1 * toneLevel) << "the music goes on after the speech";
}

TEST(CapturedAudioTest, ABattleLeftMidSentenceFallsSilentAndTheNextOneSpeaks) {
    const std::vector<double> alone = spoken("alone.raw", {shortText});
    Capture capture("restart.raw");
    {
        SoundBank bank;
        bank.init();
        SpeechVoice* voice = createSpeechVoice();
        ASSERT_NE(voice, nullptr);
        speakText(voice, longText);
        speakText(voice, longText);
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        releaseSpeechVoice(voice);
        voice = createSpeechVoice();
        ASSERT_NE(voice, nullptr);
        speakText(voice, shortText);
        EXPECT_TRUE(capture.waitForSoundThenSilence(1.0, 20.0));
        releaseSpeechVoice(voice);
    }
    const std::vector<double> heard = trimmed(envelope(capture.samples(), window), speechFloor);
    // About 0.8 s of the first battle's speech, then the new battle's text;
    // nothing of the two long texts that were still to come.
    const Match match = bestMatch(heard, alone);
    EXPECT_GT(match.score, 0.85);
    EXPECT_NEAR(match.offset * windowSeconds, 0.8, 0.25);
    EXPECT_LE(heard.size(), match.offset + alone.size() + 5);
}

} // namespace
