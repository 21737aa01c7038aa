// Encoders and decoders for the formats Qt's image I/O lacks (writing GIF,
// reading and writing JPEG 2000), through ImageMagick. Images cross as PNG
// bytes so that nothing is lost on the way.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace KESTRANE_NS {

// PNG bytes of the image in the file; no value when it cannot be read.
std::optional<std::vector<char>> DecodeImageFileToPNG(const std::string& path);
// The PNG bytes encoded as magickFormat ("GIF", "JP2", ...).
std::optional<std::vector<char>> EncodePNGAs(const std::vector<char>& png,
                                             const char* magickFormat);

} // namespace KESTRANE_NS
