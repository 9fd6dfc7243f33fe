#pragma once

// The parameters file "resource8.dat" beside the program: one key and one
// value per line. Read once at start-up; a file without MOREGAMES_URL is fatal.
void LoadParameters();

const char* GetMoreGamesURL(); // null when not given
const char* GetVendorID();     // null when not given
bool UseVGBlink();
bool UseMoreGames();
bool UseMoreLevels();

// Forgets every value (for tests that load several files in one process).
void ResetParametersForTesting();
