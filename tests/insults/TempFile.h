#pragma once

#include <string>

// A file in the temporary directory with the given bytes, removed again when
// the object goes away.
class TempFile {
  public:
    explicit TempFile(const std::string& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* path() const { return name.c_str(); }

  private:
    std::string name;
};
