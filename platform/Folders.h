#pragma once

#include <string>
#include <vector>

// The per-user data folder (profiles, sound setting, LOG.TXT) and the user
// level folder. Both paths end with "/" so that callers append a bare name.
//   data:   ${XDG_DATA_HOME:-$HOME/.local/share}/Vostrel Games/KRVL Data/
//   levels: ${XDG_DOCUMENTS_DIR:-$HOME/Documents}/KRVL Levels/
void initDirectories();
const char* getProfileDirectory();
const char* getLevelsDirectory();

// Makes a folder and its parents; an existing folder is no error.
bool makeFolders(const std::string& path);

// Extensions are matched without regard to case (".lvl", ".LVL", ".Lvl"),
// as the player sees them; a name that is only the extension has none.
bool hasExtension(const std::string& name, const char* extension);

// Replaces out with the names (less the extension) of the plain files in
// folder whose name ends in the extension, each name once, in folder order.
void GetFiles(std::vector<std::string>& out, const std::string& folder, const char* extension);

// The file name in folder of the plain file stem + extension, the extension
// in any case (the exact spelling first); empty when there is none.
std::string findFileWithExtension(const std::string& folder, const std::string& stem, const char* extension);

// Lists the names of the plain files in a folder (sub-folders are neither
// listed nor entered), sorted so that every system gives the same order.
enum class FolderListing { Listed, NotOpened, NotClosed };
FolderListing listPlainFiles(const std::string& folder, std::vector<std::string>& names);
