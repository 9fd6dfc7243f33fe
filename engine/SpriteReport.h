#pragma once

// Logs the sprites still alive, framed by lines of 82 '=' and 82 '*':
// "<caller>  All sprites have been properly unloaded", or a warning followed
// by one line per sprite with its name and position (its tile when byTile,
// else its location). Shut-down and the game world's unload both report so.
void reportLiveSprites(int channel, const char* caller, bool byTile);
