#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A large made-up insult file for measuring the loader and the matcher. Words
// follow a Zipf-like spread, as in real text: a few everyday words ("your",
// "you", "the", ...) are in most lines, and thousands of made-up words are
// rare. The same lines come out on every run.
struct GeneratedInsults {
    // Writes lineCount lines to path.
    static void write(const std::string& path, int32_t lineCount);

    // The generator's vocabulary, most frequent first.
    static const std::vector<std::string>& vocabulary();
};
