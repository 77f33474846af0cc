#include "tests/insults/TempFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

TempFile::TempFile(const std::string& bytes) {
    static int counter = 0;
    name =
        (std::filesystem::temp_directory_path() /
         ("vorblex-insults-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".txt"))
            .string();
    std::ofstream out(name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TempFile::~TempFile() { std::remove(name.c_str()); }
