#pragma once

#include <string>

class CLevel;

namespace corvelle_test {

// The smallest level the real program plays to its end: a grass floor along
// row 21 from column 4 to 20, the start tube at column startX and the exit at
// exitX on it.
void buildWalkLevel(CLevel& level, int startX = 10, int exitX = 14);

// The same level saved into the player's level folder.
void saveWalkLevel(const std::string& name, const std::string& heading, int startX = 10, int exitX = 14);

} // namespace corvelle_test
