#include "audio/SoundBank.h"
#include "tests/audio/AudioCapture.h"

#include <SDL2/SDL_mixer.h>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <thread>
#include <vector>

// These run on SDL's dummy driver (set by the test command): a device that
// plays in real time into nothing.

namespace {

std::string repeat(const std::string& line, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

// Bytes of a decoded stereo 16-bit sample lasting seconds at 44100 Hz.
Uint32 bytesFor(double seconds) { return static_cast<Uint32>(seconds * testaudio::rate) * 4; }

class SoundBankTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shortTone = testaudio::writeTone("short.wav", 0.25, 440, 0.3);
        longTone = testaudio::writeTone("long.wav", 0.5, 660, 0.3);
    }

    // The chunk playing behind a handle (handles are channel + 1).
    static Mix_Chunk* chunkOf(int handle) { return Mix_GetChunk(handle - 1); }

    static std::string shortTone;
    static std::string longTone;
};

std::string SoundBankTest::shortTone;
std::string SoundBankTest::longTone;

TEST_F(SoundBankTest, LoadReportsTheNameAndPlayLoopsTheSampleOnAChannel) {
    SoundBank bank;
    bank.init();
    testing::internal::CaptureStdout();
    bank.load(shortTone.c_str(), "bg");
    const int handle = bank.play("bg");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loaded Sound bg\n");
    ASSERT_GE(handle, 1);
    ASSERT_LE(handle, SoundBank::capacity);
    ASSERT_NE(chunkOf(handle), nullptr);
    EXPECT_EQ(chunkOf(handle)->alen, bytesFor(0.25));
    // A sample played once would be over by now.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(Mix_Playing(handle - 1), 1);
}

TEST_F(SoundBankTest, TheGamesMusicDecodesToExactlyItsLoopWithoutEncoderPadding) {
    SoundBank bank;
    bank.init();
    testing::internal::CaptureStdout();
    bank.load("./sounds/bg.mp3", "bg");
    const int handle = bank.play("bg");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loaded Sound bg\n");
    ASSERT_NE(handle, 0);
    // The music script renders 16 bars at 96 beats per minute: 40 s. Any
    // padding left by the MP3 encoder would lengthen the loop by a gap.
    EXPECT_EQ(chunkOf(handle)->alen, bytesFor(40.0));
}

TEST_F(SoundBankTest, ANameLoadedTwiceStartsTheFirstSlotThatHasASample) {
    SoundBank bank;
    bank.init();
    bank.load("./sounds/no-such-sound.mp3", "x");
    bank.load(shortTone.c_str(), "x");
    bank.load(longTone.c_str(), "x");
    testing::internal::CaptureStdout();
    const int handle = bank.play("x");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: No sample associated with x\n");
    ASSERT_NE(handle, 0);
    EXPECT_EQ(chunkOf(handle)->alen, bytesFor(0.25)) << "the second slot, not the third";
}

TEST_F(SoundBankTest, AnEmptyNameMeetsEveryUnfilledSlot) {
    SoundBank bank;
    bank.init();
    bank.load(shortTone.c_str(), "bg");
    testing::internal::CaptureStdout();
    EXPECT_EQ(bank.play(""), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              repeat("ERROR: No sample associated with \n", 31) + "ERROR: Sample  not found\n");
}

TEST_F(SoundBankTest, AnUnknownNameOnlyReportsNotFoundAndNamesAreCaseSensitive) {
    SoundBank bank;
    bank.init();
    bank.load(shortTone.c_str(), "bg");
    testing::internal::CaptureStdout();
    EXPECT_EQ(bank.play("nope"), 0);
    EXPECT_EQ(bank.play("BG"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Sample nope not found\nERROR: Sample BG not found\n");
}

TEST_F(SoundBankTest, AMissingFileIsReportedAsLoadedAndThenAsHavingNoSample) {
    SoundBank bank;
    bank.init();
    testing::internal::CaptureStdout();
    bank.load("./sounds/no-such-sound.mp3", "gone");
    EXPECT_EQ(bank.play("gone"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loaded Sound gone\n"
                                                      "ERROR: No sample associated with gone\n"
                                                      "ERROR: Sample gone not found\n");
}

TEST_F(SoundBankTest, TheThirtyThirdLoadIsRefusedAndChangesNothing) {
    std::vector<std::string> names; // must outlive the bank, which keeps pointers
    for (int i = 0; i <= SoundBank::capacity; ++i) {
        names.push_back("s" + std::to_string(i));
    }
    SoundBank bank;
    bank.init();
    for (int i = 0; i < SoundBank::capacity; ++i) {
        bank.load(shortTone.c_str(), names[i].c_str());
    }
    testing::internal::CaptureStdout();
    bank.load(longTone.c_str(), names[32].c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Sound bank is full (32 samples), not loading s32\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(bank.play("s32"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: Sample s32 not found\n");
    EXPECT_NE(bank.play("s0"), 0);
    EXPECT_NE(bank.play("s31"), 0);
}

TEST_F(SoundBankTest, PlayingBeforeInitFindsNothingAndDoesNotTouchTheDevice) {
    SoundBank bank;
    testing::internal::CaptureStdout();
    EXPECT_EQ(bank.play("bg"), 0);
    bank.load(shortTone.c_str(), "early");
    EXPECT_EQ(bank.play("early"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: Sample bg not found\n"
                                                      "Loaded Sound early\n"
                                                      "ERROR: No sample associated with early\n"
                                                      "ERROR: Sample early not found\n");
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}

TEST_F(SoundBankTest, WhenEveryChannelIsBusyNothingIsPlayed) {
    SoundBank bank;
    bank.init();
    bank.load(shortTone.c_str(), "t");
    std::set<int> handles;
    for (int i = 0; i < SoundBank::capacity; ++i) {
        handles.insert(bank.play("t"));
    }
    EXPECT_EQ(handles.size(), 32u);
    EXPECT_EQ(*handles.begin(), 1) << "0 must keep meaning that nothing was played";
    EXPECT_EQ(*handles.rbegin(), 32);
    testing::internal::CaptureStdout();
    EXPECT_EQ(bank.play("t"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: No free channel to play t\n");
}

TEST_F(SoundBankTest, MissingPathOrNameIsRefusedWithAMessage) {
    SoundBank bank;
    bank.init();
    testing::internal::CaptureStdout();
    bank.load(nullptr, "a");
    bank.load(shortTone.c_str(), nullptr);
    EXPECT_EQ(bank.play(nullptr), 0);
    EXPECT_EQ(bank.play("a"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: A sound needs both a file and a name\n"
              "ERROR: A sound needs both a file and a name\n"
              "ERROR: Sample without a name not found\n"
              "ERROR: Sample a not found\n");
}

TEST_F(SoundBankTest, DestructionStopsOnlyItsOwnChannelsAndClosesOnlyWhatItOpened) {
    SoundBank outer;
    outer.init();
    outer.load(shortTone.c_str(), "outer");
    const int outerHandle = outer.play("outer");
    ASSERT_NE(outerHandle, 0);
    int innerHandle = 0;
    {
        SoundBank inner;
        inner.init();
        inner.load(longTone.c_str(), "inner");
        innerHandle = inner.play("inner");
        ASSERT_NE(innerHandle, 0);
        ASSERT_NE(innerHandle, outerHandle);
        SoundBank neverOpened;
    }
    EXPECT_EQ(Mix_Playing(innerHandle - 1), 0);
    EXPECT_EQ(Mix_Playing(outerHandle - 1), 1);
    EXPECT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the outer bank's device stays open";
}

TEST_F(SoundBankTest, WithoutAnAudioDeviceTheBankIsSilentButStillReports) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundBank bank;
    bank.init();
    testing::internal::CaptureStdout();
    bank.load(shortTone.c_str(), "bg");
    EXPECT_EQ(bank.play("bg"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loaded Sound bg\n"
                                                      "ERROR: No sample associated with bg\n"
                                                      "ERROR: Sample bg not found\n");
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}

} // namespace
