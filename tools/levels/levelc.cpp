// levelc: turns a level source into a level body (.lvl) and back.
//   levelc compile SOURCE OUTPUT.lvl [--lenient]   --lenient: the editor's
//                                                  placement rules only warn
//   levelc decompile LEVEL.lvl OUTPUT              OUTPUT "-": standard output
// Errors name the source as FILE:LINE:COLUMN.
#include "levels/Level.h"
#include "levels/LevelSource.h"
#include "platform/AtomicFile.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const std::string& path, const void* data, size_t size)
{
    if (path == "-")
        return fwrite(data, 1, size, stdout) == size && fflush(stdout) == 0;
    AtomicFile file(path);
    FILE* stream = file.open();
    return stream && fwrite(data, 1, size, stream) == size && file.commit();
}

std::string levelName(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int compile(const std::string& source, const std::string& output, bool lenient)
{
    std::string text;
    if (!readFile(source, text)) {
        std::cerr << "levelc: cannot read " << source << "\n";
        return 1;
    }
    CLevel level;
    std::vector<std::string> errors, warnings;
    bool compiled = compileLevelSource(text, source, level, errors, lenient ? &warnings : nullptr);
    for (const std::string& warning : warnings)
        std::cerr << warning << " (warning)\n";
    for (const std::string& error : errors)
        std::cerr << error << "\n";
    if (!compiled)
        return 1;
    // No random noise in the ID: the same source always gives the same bytes.
    std::vector<unsigned char> bytes = level.ToBytes(0);
    if (!writeFile(output, bytes.data(), bytes.size())) {
        std::cerr << "levelc: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

int decompile(const std::string& input, const std::string& output)
{
    std::string bytes;
    if (!readFile(input, bytes)) {
        std::cerr << "levelc: cannot read " << input << "\n";
        return 1;
    }
    CLevel level;
    if (!level.LoadBytes(levelName(input).c_str(), reinterpret_cast<const unsigned char*>(bytes.data()),
                         bytes.size())) {
        std::cerr << "levelc: " << input << " is no level body of a readable version, or is damaged\n";
        return 1;
    }
    std::string text, error;
    if (!decompileLevel(level, text, error)) {
        std::cerr << "levelc: " << input << ": " << error << "\n";
        return 1;
    }
    if (!writeFile(output, text.data(), text.size())) {
        std::cerr << "levelc: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if ((args.size() == 3 || (args.size() == 4 && args[3] == "--lenient")) && args[0] == "compile")
        return compile(args[1], args[2], args.size() == 4);
    if (args.size() == 3 && args[0] == "decompile")
        return decompile(args[1], args[2]);
    std::cerr << "usage: levelc compile SOURCE OUTPUT.lvl [--lenient]\n"
                 "       levelc decompile LEVEL.lvl OUTPUT|-\n";
    return 2;
}
