// libFuzzer target over the insult file loader and the matcher. The input
// holds an insult file followed by a battle: typed lines with commits, peeks
// and resets. Whenever the typed line has few enough distinct words for the
// literal search over every subset, the matcher's answers, both used sets
// and the generator must agree with it.
#include "insults/InsultDatabase.h"
#include "insults/InsultRandom.h"
#include "tests/insults/LiteralSearch.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The literal search doubles its work with every distinct word; past this
// many it would slow the fuzzing down to a crawl.
constexpr std::size_t literalLimit = 10;

const std::string& scratchPath() {
    static const std::string path = "/tmp/vorblex-insult-fuzz-" + std::to_string(getpid()) + ".txt";
    return path;
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "mismatch with the literal search: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    {
        std::ofstream file(scratchPath(), std::ios::binary | std::ios::trunc);
        const std::string bytes = input.ConsumeRandomLengthString(size);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    InsultDatabase fast(scratchPath().c_str());
    InsultDatabase reference(scratchPath().c_str());
    uint32_t referenceState = input.ConsumeIntegral<uint32_t>();
    setInsultRandomState(referenceState);

    while (input.remaining_bytes() > 0) {
        const uint8_t action = input.ConsumeIntegral<uint8_t>();
        if (action % 8 == 0) {
            fast.resetUsed();
            reference.resetUsed();
        }
        const bool peekOnly = (action & 0x10) != 0;
        const std::string typed = input.ConsumeRandomLengthString(4096);

        std::string fastText = typed;
        std::string fastInsult;
        int32_t fastStrength = -1;
        fast.matchInsult(fastText, peekOnly, fastInsult, fastStrength);

        std::string countText = typed;
        if (literal::typedWords(reference, countText).size() > literalLimit) {
            // Too many words for the reference; the two databases part ways
            // here, so only the matcher's own promises are checked from now.
            check(fastStrength >= 0, "negative strength");
            return 0;
        }
        std::string referenceText = typed;
        std::string referenceInsult;
        int32_t referenceStrength = -1;
        literal::matchInsult(reference, referenceState, referenceText, peekOnly, referenceInsult,
                             referenceStrength);
        check(fastText == referenceText, "lower-cased text");
        check(fastInsult == referenceInsult, "chosen insult");
        check(fastStrength == referenceStrength, "strength");
        check(fast.usedInsults == reference.usedInsults, "used insults");
        check(fast.usedWords == reference.usedWords, "used words");
        check(insultRandomState() == referenceState, "generator state");
    }
    return 0;
}
