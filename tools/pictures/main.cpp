// picturetool: draws the game's pictures from the registry.
//   picturetool --out DIR [--list FILE]   every picture into DIR; FILE gets
//                                         their paths, one a line, for respack
//   picturetool --single NAME OUTPUT      one picture, written to OUTPUT in
//                                         the format of NAME's extension
//   picturetool --names                   prints every registered name
//   picturetool --sheets DIR              one contact sheet per family in DIR
#include "ImageWriters.h"
#include "Registry.h"
#include "Sheets.h"

#include <cstring>
#include <fstream>
#include <iostream>

namespace {

bool drawPicture(const Picture& picture, const std::string& path, const std::string& formatName)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    cairo_t* cr = cairo_create(surface);
    picture.draw(cr);
    cairo_destroy(cr);
    std::string target = path;
    bool ok;
    if (formatName == path) {
        ok = writeByExtension(surface, target);
    } else {
        // Write in the format the name asks for, whatever the output is called.
        std::string ext = formatName.substr(formatName.size() - 4);
        if (ext == ".jpg")
            ok = writeJpeg(surface, target);
        else if (ext == ".tga")
            ok = writeTga(surface, target);
        else if (ext == ".bmp")
            ok = writeBmp(surface, target);
        else
            ok = writePng(surface, target);
    }
    cairo_surface_destroy(surface);
    if (!ok)
        std::cerr << "picturetool: cannot write " << target << "\n";
    return ok;
}

int drawAll(const std::string& dir, const std::string& listPath)
{
    std::ofstream list;
    if (!listPath.empty())
        list.open(listPath, std::ios::trunc);
    for (const Picture& picture : Registry::instance().pictures()) {
        std::string path = dir + "/" + picture.name;
        if (!drawPicture(picture, path, path))
            return 1;
        if (list.is_open())
            list << path << "\n";
    }
    return 0;
}

int drawSingle(const std::string& name, const std::string& output)
{
    const Picture* picture = Registry::instance().find(name);
    if (!picture) {
        std::cerr << "picturetool: no picture named " << name << "\n";
        return 1;
    }
    return drawPicture(*picture, output, name) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "--out") == 0) {
        std::string listPath = (argc == 5 && strcmp(argv[3], "--list") == 0) ? argv[4] : "";
        return drawAll(argv[2], listPath);
    }
    if (argc == 4 && strcmp(argv[1], "--single") == 0)
        return drawSingle(argv[2], argv[3]);
    if (argc == 2 && strcmp(argv[1], "--names") == 0) {
        for (const Picture& picture : Registry::instance().pictures())
            std::cout << picture.name << "\n";
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "--sheets") == 0)
        return writeContactSheets(argv[2]);
    std::cerr << "usage: picturetool --out DIR [--list FILE] | --single NAME OUTPUT | --names | --sheets DIR\n";
    return 2;
}
