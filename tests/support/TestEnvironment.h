#pragma once

#include <string>

namespace corvelle_test {

// Creates a fresh folder, points HOME and the XDG folders into it and makes
// SDL headless; removes the folder again when it goes out of scope.
class TemporaryHome
{
public:
    TemporaryHome();
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    static const std::string& path();

private:
    int ownerPid_;
};

// Folder holding the built resource files (resource0.dat ...).
std::string resourceDir();

// Path of the built game program.
std::string programPath();

// Path of the game built with a probe screen of the tests over its root
// screen (tests/programs/ScreenProbe.cpp).
std::string probeProgramPath();
// The game with one of the player's own screens over its root.
std::string playerProbeProgramPath();

// Root of the source tree (for fixtures kept beside the tests).
std::string sourceDir();

// Reads or writes a whole file as bytes.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Makes a new empty folder below the temporary HOME.
std::string makeTempDir(const std::string& name);

} // namespace corvelle_test

namespace corvelle_test {

// Changes the working folder for the lifetime of the object.
class ScopedWorkingDir
{
public:
    explicit ScopedWorkingDir(const std::string& dir);
    ~ScopedWorkingDir();
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

private:
    std::string previous_;
};

} // namespace corvelle_test
