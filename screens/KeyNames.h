#pragma once

#include <string>

// The short name the key bindings show for an SDL key code: digits and
// upper-case letters as themselves, the function and keypad keys by number,
// the rest from a fixed table; "UNKNOWN" for a code without a name
// (0, an unbound key, included).
std::string KeyName(int key);
