#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Set-up shared by the fuzz targets. Every target reads damaged or hostile
// data through the game's own readers; none of them may touch the player's
// files or flood the terminal, so the first call points HOME and the XDG
// folders at a private scratch folder, sends the error log to /dev/null and
// silences standard output. Idempotent.
void fuzzSetUp();

// The private scratch folder (with a trailing slash).
const std::string& fuzzScratch();

// The game's data folder inside the scratch folder (with a trailing slash).
std::string fuzzDataFolder();

// Writes bytes to a file, replacing it.
void fuzzWriteFile(const std::string& path, const uint8_t* data, size_t size);

// The entry point every target defines; libFuzzer, or the replay driver of
// the tests, calls it once per input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
