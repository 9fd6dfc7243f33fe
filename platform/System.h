#pragma once

// Opens a web page in the user's browser (xdg-open, started without a shell:
// addresses come from files and from the score server). True when started.
bool openUrl(const char* target);

// Newer desktop systems flip the whole screen each frame; on Linux the
// display keeps to dirty rectangles, so this answers false.
bool isVistaOrLater();
