#include "support/TestEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace corvelle_test {

namespace {
std::string g_home;
}

TemporaryHome::TemporaryHome() : ownerPid_(getpid())
{
    // A death test re-runs this program as a child: it shares its parent's
    // folder, so the parent can read what the child wrote.
    if (const char* inherited = getenv("CORVELLE_TEST_HOME")) {
        g_home = inherited;
        ownerPid_ = -1;
        return;
    }
    std::string pattern = (fs::temp_directory_path() / "corvelle-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary HOME");
    g_home = pattern;
    setenv("CORVELLE_TEST_HOME", g_home.c_str(), 1);
    setenv("HOME", g_home.c_str(), 1);
    setenv("XDG_DATA_HOME", (g_home + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (g_home + "/config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (g_home + "/Documents").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("CORVELLE_LOG");
    unsetenv("CORVELLE_MAX_FRAMES");
    unsetenv("CORVELLE_SCRIPT");
    unsetenv("CORVELLE_SCORE_URL");
}

TemporaryHome::~TemporaryHome()
{
    // Death tests fork; only the process that made the folder removes it.
    if (getpid() != ownerPid_)
        return;
    std::error_code ignored;
    fs::remove_all(g_home, ignored);
}

const std::string& TemporaryHome::path() { return g_home; }

std::string resourceDir() { return CORVELLE_RESOURCE_DIR; }
std::string programPath() { return CORVELLE_PROGRAM; }
std::string probeProgramPath() { return CORVELLE_PROBE_PROGRAM; }
std::string playerProbeProgramPath() { return CORVELLE_PLAYER_PROBE_PROGRAM; }
std::string sourceDir() { return CORVELLE_SOURCE_DIR; }

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string makeTempDir(const std::string& name)
{
    fs::path dir = fs::path(g_home) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

} // namespace corvelle_test

namespace corvelle_test {

ScopedWorkingDir::ScopedWorkingDir(const std::string& dir) : previous_(fs::current_path().string())
{
    fs::current_path(dir);
}

ScopedWorkingDir::~ScopedWorkingDir()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

} // namespace corvelle_test
