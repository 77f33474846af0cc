#include "audio/SpeechVoice.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the battle holds: just a number. The synthesis and audio threads only
// ever compare numbers, so deleting a voice can never leave them a dangling
// pointer.
class SpeechVoice {
  public:
    explicit SpeechVoice(uint64_t voiceId) : id(voiceId) {}
    const uint64_t id;
};

namespace {

// Read by the audio thread at every mix, set from the game's.
std::atomic<int> speechLoudness{100};

// English with espeak-ng's "robosoft" variant; plain English if the variant
// is missing.
const char* const voiceNames[] = {"en+robosoft", "en"};
constexpr int wordsPerMinute = 160;
// Synthesis runs at most this far ahead of playback, so memory stays small
// however many texts are waiting.
constexpr int secondsAhead = 2;
// Beyond this many waiting texts new ones are refused: a held key must not
// queue minutes of speech.
constexpr size_t maxWaitingTexts = 64;

// espeak-ng, started once per process, with one thread of ours that
// synthesises the waiting texts in order. espeak-ng runs in its synchronous
// mode on that thread, so handing over a text is only a queue push; its
// samples are resampled to the mixer's format and queued, and SDL_mixer's
// post-mix hook adds them to the output on the audio thread. Voices are
// numbered; only the active one is synthesised and heard.
class SpeechEngine {
  public:
    // Null when espeak-ng cannot start or has no English voice.
    static std::unique_ptr<SpeechEngine> start();
    ~SpeechEngine();

    // Makes a new voice the one heard, in the open mixer's format; drops what
    // older voices still had to say. Returns its number, 0 if no audio output
    // is open.
    uint64_t openVoice();
    // Silences voice if it is the active one and drops its waiting texts.
    void closeVoice(uint64_t voice);
    // Queues a copy of text for voice; ignored unless voice is the active one.
    void say(uint64_t voice, const char* text);

  private:
    struct Utterance {
        SpeechEngine* engine;
        uint64_t voice;
        std::string text;
    };

    explicit SpeechEngine(int synthesisRate);
    void synthesiseWaitingTexts();
    bool queueSamples(uint64_t voice, const short* samples, int count);
    void mixInto(Uint8* output, int bytes);
    static int onSynthesised(short* samples, int count, espeak_EVENT* events);
    static void onMix(void* engine, Uint8* output, int bytes);

    const int synthesisRate;
    // Guards everything below except mixBuffer and worker.
    std::mutex lock;
    std::condition_variable textArrived;  // or quitting
    std::condition_variable voiceChanged; // or quitting
    std::deque<Utterance> waiting;
    uint64_t activeVoice = 0; // 0: nothing is heard
    uint64_t lastVoice = 0;
    bool quitting = false;
    // Converts espeak-ng's mono 16-bit samples to the mixer's format and rate
    // and holds them until the audio thread takes them.
    SDL_AudioStream* converter = nullptr;
    int outputRate = 0;
    Uint16 outputFormat = 0;
    int outputChannels = 0;
    std::vector<Uint8> mixBuffer; // audio thread only
    std::thread worker;
};

std::unique_ptr<SpeechEngine> SpeechEngine::start() {
    // Without DONT_EXIT, missing voice data would end the whole game.
    const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        return nullptr;
    }
    bool haveVoice = false;
    for (const char* name : voiceNames) {
        if (espeak_SetVoiceByName(name) == EE_OK) {
            haveVoice = true;
            break;
        }
    }
    if (!haveVoice) {
        espeak_Terminate();
        return nullptr;
    }
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    espeak_SetSynthCallback(&SpeechEngine::onSynthesised);
    return std::unique_ptr<SpeechEngine>(new SpeechEngine(rate));
}

SpeechEngine::SpeechEngine(int rate) : synthesisRate(rate) {
    worker = std::thread(&SpeechEngine::synthesiseWaitingTexts, this);
}

SpeechEngine::~SpeechEngine() {
    {
        std::lock_guard<std::mutex> guard(lock);
        quitting = true;
        activeVoice = 0;
        waiting.clear();
    }
    textArrived.notify_all();
    voiceChanged.notify_all();
    worker.join();
    // Taking the hook away waits for a running mix to finish, so the audio
    // thread is out of this object before it goes.
    Mix_SetPostMix(nullptr, nullptr);
    espeak_Terminate();
    SDL_FreeAudioStream(converter);
}

uint64_t SpeechEngine::openVoice() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!Mix_QuerySpec(&rate, &format, &channels)) {
        return 0;
    }
    uint64_t voice = 0;
    {
        std::lock_guard<std::mutex> guard(lock);
        waiting.clear();
        activeVoice = 0;
        // The device may have been reopened in another format since the last
        // voice (SDL may change rate and channels to suit the hardware).
        if (!converter || rate != outputRate || format != outputFormat ||
            channels != outputChannels) {
            SDL_FreeAudioStream(converter);
            converter = SDL_NewAudioStream(AUDIO_S16SYS, 1, synthesisRate, format, channels, rate);
            outputRate = rate;
            outputFormat = format;
            outputChannels = channels;
        } else {
            SDL_AudioStreamClear(converter);
        }
        if (converter) {
            voice = activeVoice = ++lastVoice;
        }
    }
    // A synthesis still waiting for room on behalf of an older voice gives up.
    voiceChanged.notify_all();
    if (voice) {
        // Outside our lock: the hook takes the audio device's lock, which the
        // audio thread holds while it waits for ours in mixInto.
        Mix_SetPostMix(&SpeechEngine::onMix, this);
    }
    return voice;
}

void SpeechEngine::closeVoice(uint64_t voice) {
    {
        std::lock_guard<std::mutex> guard(lock);
        if (voice != activeVoice) {
            return;
        }
        activeVoice = 0;
        waiting.clear();
        SDL_AudioStreamClear(converter);
    }
    voiceChanged.notify_all();
}

void SpeechEngine::say(uint64_t voice, const char* text) {
    bool accepted = false;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (voice != activeVoice) {
            return;
        }
        if (waiting.size() < maxWaitingTexts) {
            waiting.push_back({this, voice, text});
            accepted = true;
        }
    }
    if (accepted) {
        textArrived.notify_one();
    } else {
        std::cout << "Too much speech waiting, not saying: " << text << std::endl;
    }
}

void SpeechEngine::synthesiseWaitingTexts() {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        textArrived.wait(guard, [this] { return quitting || !waiting.empty(); });
        if (quitting) {
            return;
        }
        Utterance next = std::move(waiting.front());
        waiting.pop_front();
        guard.unlock();
        // Returns when the text is done, or as soon as queueSamples says the
        // voice is gone. The sentence pause at the end keeps consecutive
        // texts apart.
        espeak_Synth(next.text.c_str(), next.text.size() + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_AUTO | espeakENDPAUSE, nullptr, &next);
        guard.lock();
        if (next.voice == activeVoice) {
            // The resampler holds back a few samples; the text's end must be
            // heard now, not when the next text comes.
            SDL_AudioStreamFlush(converter);
        }
    }
}

int SpeechEngine::onSynthesised(short* samples, int count, espeak_EVENT* events) {
    // Every batch of samples comes with events carrying our user data.
    auto* utterance = static_cast<Utterance*>(events ? events->user_data : nullptr);
    if (!utterance) {
        return 1;
    }
    if (!samples) {
        return 0; // the end of the text
    }
    // Non-zero tells espeak-ng to stop this text.
    return utterance->engine->queueSamples(utterance->voice, samples, count) ? 0 : 1;
}

bool SpeechEngine::queueSamples(uint64_t voice, const short* samples, int count) {
    std::unique_lock<std::mutex> guard(lock);
    const int bytesPerSecond = outputRate * outputChannels * SDL_AUDIO_BITSIZE(outputFormat) / 8;
    while (voice == activeVoice && !quitting &&
           SDL_AudioStreamAvailable(converter) > secondsAhead * bytesPerSecond) {
        // Playback frees room without telling us; look again now and then.
        voiceChanged.wait_for(guard, std::chrono::milliseconds(50));
    }
    if (voice != activeVoice || quitting) {
        return false;
    }
    if (count > 0) {
        SDL_AudioStreamPut(converter, samples, count * static_cast<int>(sizeof(short)));
    }
    return true;
}

void SpeechEngine::onMix(void* engine, Uint8* output, int bytes) {
    static_cast<SpeechEngine*>(engine)->mixInto(output, bytes);
}

void SpeechEngine::mixInto(Uint8* output, int bytes) {
    int got = 0;
    Uint16 format = 0;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (activeVoice == 0) {
            return;
        }
        if (mixBuffer.size() < static_cast<size_t>(bytes)) {
            mixBuffer.resize(bytes);
        }
        got = SDL_AudioStreamGet(converter, mixBuffer.data(), bytes);
        format = outputFormat;
    }
    if (got > 0) {
        // Adds with clipping, on top of the music and the other channels.
        SDL_MixAudioFormat(output, mixBuffer.data(), format, got,
                           speechLoudness.load() * SDL_MIX_MAXVOLUME / 100);
    }
}

// Readable during exit, after the engine below is gone (a trivially
// destructible global is never torn down).
SpeechEngine* runningEngine = nullptr;

// espeak-ng starts with the first voice and stays for the whole run. Being a
// local static, it is shut down at exit before the globals built ahead of it,
// the battle screen and its sound bank, so the audio output outlives it.
SpeechEngine* speechEngine() {
    static struct Lifetime {
        std::unique_ptr<SpeechEngine> engine = SpeechEngine::start();
        Lifetime() { runningEngine = engine.get(); }
        ~Lifetime() { runningEngine = nullptr; }
    } lifetime;
    return runningEngine;
}

} // namespace

SpeechVoice* createSpeechVoice() {
    // With nothing to speak through, espeak-ng is not even started.
    if (!Mix_QuerySpec(nullptr, nullptr, nullptr)) {
        return nullptr;
    }
    SpeechEngine* engine = speechEngine();
    if (!engine) {
        return nullptr;
    }
    const uint64_t id = engine->openVoice();
    return id ? new SpeechVoice(id) : nullptr;
}

void setSpeechVolume(int percent) { speechLoudness = std::clamp(percent, 0, 100); }

void speakText(SpeechVoice* voice, const char* text) {
    if (voice && text && runningEngine) {
        runningEngine->say(voice->id, text);
    }
}

void releaseSpeechVoice(SpeechVoice*& voice) {
    if (!voice) {
        return;
    }
    if (runningEngine) {
        runningEngine->closeVoice(voice->id);
    }
    delete voice;
    voice = nullptr;
}
