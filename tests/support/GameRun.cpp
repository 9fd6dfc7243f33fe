#include "support/GameRun.h"

#include "support/WithoutRootRights.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace corvelle_test {

namespace {

const char* const SPRITES_LEFT = "main()  WARNING:  All sprites have not been properly unloaded:";
const char* const SPRITE_INDENT = "   ";
constexpr useconds_t CUE_POLL_MICROSECONDS = 5000;

// In the child: never returns.
[[noreturn]] void startProgram(const GameRun& run, const std::string& scriptPath, const std::string& outputPath)
{
    int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string& dir = run.workingDir.empty() ? resourceDir() : run.workingDir;
    if (out < 0 || chdir(dir.c_str()) != 0)
        _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    close(out);
    if (!scriptPath.empty())
        setenv("CORVELLE_SCRIPT", scriptPath.c_str(), 1);
    setenv("CORVELLE_LOG", run.logChannels.c_str(), 1);
    setenv("CORVELLE_MAX_FRAMES", std::to_string(run.maxFrames).c_str(), 1);
    for (const auto& [name, value] : run.environment)
        setenv(name.c_str(), value.c_str(), 1);
    if (run.withoutRootRights && !dropRootRights())
        _exit(127);
    execl(run.program.c_str(), run.program.c_str(), run.mask.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// Looks at the output until the cue shows, then runs the action. True when
// the program ended first (its status is then in status).
bool watchForCue(pid_t child, const GameRun& run, const std::string& outputPath, int& status)
{
    for (;;) {
        pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended != 0)
            return ended == child;
        if (readFile(outputPath).find(run.cue) != std::string::npos) {
            run.atCue();
            return false;
        }
        usleep(CUE_POLL_MICROSECONDS);
    }
}

} // namespace

bool GameRunResult::hasLine(const std::string& text) const
{
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
        if (line.size() >= text.size() && line.compare(line.size() - text.size(), text.size(), text) == 0)
            return true;
    return false;
}

std::vector<std::string> GameRunResult::liveSprites() const
{
    // "<prefix>main()  WARNING: ...", then "<prefix>   <name>  (<x>,<y>)"
    // for each sprite, where <prefix> is the log channel's.
    std::vector<std::string> names;
    std::istringstream lines(output);
    std::string text;
    size_t prefix = std::string::npos;
    while (std::getline(lines, text)) {
        if (prefix == std::string::npos) {
            size_t at = text.find(SPRITES_LEFT);
            if (at != std::string::npos)
                prefix = at;
            continue;
        }
        size_t position = text.rfind("  (");
        bool listed = text.size() > prefix + 3 && text.compare(prefix, 3, SPRITE_INDENT) == 0;
        if (!listed || position == std::string::npos)
            break;
        names.push_back(text.substr(prefix + 3, position - prefix - 3));
    }
    return names;
}

GameRunResult runGame(const GameRun& run)
{
    static int runs = 0;
    std::string base = TemporaryHome::path() + "/run" + std::to_string(++runs);
    std::string scriptPath;
    if (!run.script.empty()) {
        scriptPath = base + "-script.txt";
        writeFile(scriptPath, run.script);
    }
    std::string outputPath = base + "-output.txt";

    if (run.withoutRootRights)
        openTemporaryHomeToAll();
    GameRunResult result;
    pid_t child = fork();
    if (child == 0)
        startProgram(run, scriptPath, outputPath);
    int status = 0;
    bool ended = child > 0 && run.atCue && watchForCue(child, run, outputPath, status);
    if (child > 0 && !ended)
        ended = waitpid(child, &status, 0) == child;
    if (ended && WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    result.output = readFile(outputPath);
    return result;
}

CommandRun runCommand(const std::string& command)
{
    CommandRun result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe))
        result.output += buffer.data();
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string typedInPlace(const std::string& word)
{
    std::string script;
    for (int i = 0; i < 15; ++i)
        script += "key backspace\n";
    for (char c : word)
        script += std::string("key ") + c + "\n";
    return script;
}

} // namespace corvelle_test
