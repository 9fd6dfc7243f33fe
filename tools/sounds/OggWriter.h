#pragma once

#include <string>
#include <vector>

// Encodes planar float samples (one vector per channel, all of one length)
// as Ogg Vorbis at the given VBR quality (-0.1 .. 1). The stream's serial
// number is fixed, so the same samples always give the same bytes.
bool writeOggVorbis(const std::string& path, const std::vector<std::vector<float>>& channels, int rate,
                    float quality);

// The largest sample magnitude (0 .. 1) of an Ogg Vorbis file once decoded;
// below 0 when the file cannot be read.
float decodedPeak(const std::string& path);
