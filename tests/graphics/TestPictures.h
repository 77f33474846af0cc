#pragma once

#include <string>

namespace testpics {

// Writes a picture whose four quadrants are red (top left), green (top right),
// blue (bottom left) and white (bottom right), in the format the extension of
// name asks for (converted by ImageMagick), into a temporary folder. Returns
// its path.
std::string quadrants(const std::string& name, int size = 64);

// Writes arbitrary bytes to a file in the temporary folder; returns its path.
std::string rawFile(const std::string& name, const std::string& bytes);

} // namespace testpics
