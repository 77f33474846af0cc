#include "audio/SpeechVoice.h"
#include "audio/SoundBank.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

// These run on SDL's dummy driver (set by the test command). What the voice
// actually sounds like is checked on captured output in CapturedAudioTest.

namespace {

int countOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

TEST(SpeechVoiceTest, WithoutAnOpenAudioOutputThereIsNoVoiceAndSpeakingDoesNothing) {
    SpeechVoice* voice = createSpeechVoice();
    EXPECT_EQ(voice, nullptr);
    speakText(voice, "Nobody hears this.");
    releaseSpeechVoice(voice);
    EXPECT_EQ(voice, nullptr);
}

TEST(SpeechVoiceTest, WithoutAnAudioDeviceThereIsNoVoice) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundBank bank;
    bank.init();
    SpeechVoice* voice = createSpeechVoice();
    EXPECT_EQ(voice, nullptr);
    speakText(voice, "Nobody hears this.");
    releaseSpeechVoice(voice);
}

TEST(SpeechVoiceTest, AThousandBattlesEachGetAFreshVoice) {
    SoundBank bank;
    bank.init();
    for (int battle = 0; battle < 1000; ++battle) {
        SpeechVoice* voice = createSpeechVoice();
        ASSERT_NE(voice, nullptr) << "battle " << battle;
        // Released while this is still being synthesised or played.
        speakText(voice, "Your mother was a toaster.");
        releaseSpeechVoice(voice);
        ASSERT_EQ(voice, nullptr);
    }
}

TEST(SpeechVoiceTest, ANullTextIsIgnored) {
    SoundBank bank;
    bank.init();
    SpeechVoice* voice = createSpeechVoice();
    ASSERT_NE(voice, nullptr);
    testing::internal::CaptureStdout();
    speakText(voice, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    releaseSpeechVoice(voice);
}

TEST(SpeechVoiceTest, AFloodOfTextsIsCutShortWithAMessage) {
    SoundBank bank;
    bank.init();
    SpeechVoice* voice = createSpeechVoice();
    ASSERT_NE(voice, nullptr);
    testing::internal::CaptureStdout();
    for (int i = 0; i < 100; ++i) {
        speakText(voice, "You compute like an abacus with missing beads.");
    }
    const std::string out = testing::internal::GetCapturedStdout();
    releaseSpeechVoice(voice);
    // At most 64 wait, plus the one the engine may already be speaking.
    const int refused = countOf(out, "Too much speech waiting, not saying: You compute like");
    EXPECT_GE(refused, 100 - 64 - 1);
    EXPECT_LE(refused, 100 - 64);
    EXPECT_EQ(countOf(out, "\n"), refused);
}

} // namespace
