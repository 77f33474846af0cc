// How long the battle's frame waits when it hands an insult to the voice, and
// what a battle's voice costs from creation to release.

#include "audio/SoundBank.h"
#include "audio/SpeechVoice.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

const char* const insult = "I have seen better wiring in a kitchen drawer, you pile of scrap!";

// Reported as the usual, the 1-in-1000 and the slowest hand-over, since a
// frame cares about the worst case; on a busy machine the slowest one is
// mostly the scheduler.
void handOverAnInsult(benchmark::State& state) {
    SoundBank bank;
    bank.init();
    SpeechVoice* voice = createSpeechVoice();
    if (!voice) {
        state.SkipWithError("no speech voice (no espeak-ng data or no audio output)");
        return;
    }
    std::vector<double> micros;
    micros.reserve(state.max_iterations);
    int waiting = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        speakText(voice, insult);
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        // A fresh voice now and then, so that the texts never pile up to the
        // voice's limit, where they would be refused instead of queued.
        if (++waiting == 32) {
            state.PauseTiming();
            releaseSpeechVoice(voice);
            voice = createSpeechVoice();
            waiting = 0;
            state.ResumeTiming();
        }
    }
    releaseSpeechVoice(voice);
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p999_us"] = micros[micros.size() * 999 / 1000];
    state.counters["max_us"] = micros.back();
}
BENCHMARK(handOverAnInsult);

// One battle's worth: the voice is made at the start, says one insult and is
// released at the end while still speaking. Restarting a thousand times must
// cost the same each time.
void voiceForOneBattle(benchmark::State& state) {
    SoundBank bank;
    bank.init();
    for (auto _ : state) {
        SpeechVoice* voice = createSpeechVoice();
        speakText(voice, insult);
        releaseSpeechVoice(voice);
    }
}
BENCHMARK(voiceForOneBattle)->Iterations(1000)->Repetitions(3);

} // namespace

int main(int argc, char** argv) {
    // No sound card needed: SDL's dummy device plays in real time into nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
