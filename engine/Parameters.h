#pragma once

#include <string>

// The parameters file "resource8.dat" beside the program: one key and one
// value per line. Read once at start-up; a file without MOREGAMES_URL is fatal.
void LoadParameters();
// The reading part of LoadParameters, for any text: applies every line it
// understands and logs the others; never fatal.
void ReadParameters(const std::string& text);

const char* GetMoreGamesURL(); // null when not given
const char* GetVendorID();     // null when not given
bool UseVGBlink();
bool UseMoreGames();
bool UseMoreLevels();

// Forgets every value (for tests that load several files in one process).
void ResetParametersForTesting();
