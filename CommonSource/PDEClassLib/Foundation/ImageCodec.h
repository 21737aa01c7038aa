// Encoders and decoders for the formats Qt's image I/O lacks (writing GIF,
// reading and writing JPEG 2000), through ImageMagick. Images cross as PNG
// bytes so that nothing is lost on the way.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace KESTRANE_NS {

// PNG bytes of the JPEG 2000 image in the file; no value when it cannot be
// read. Only the JPEG 2000 reader is used, whatever the file holds or its
// name looks like.
std::optional<std::vector<char>> DecodeJPEG2000FileToPNG(const std::string& path);
// The PNG bytes encoded as magickFormat ("GIF", "JP2", ...).
std::optional<std::vector<char>> EncodePNGAs(const std::vector<char>& png,
                                             const char* magickFormat);

} // namespace KESTRANE_NS
