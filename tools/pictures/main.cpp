// picturetool: draws the game's pictures from the registry.
//   picturetool --out DIR [--list FILE] [--jobs N]
//                                    every archive picture into DIR (on N
//                                    threads); FILE gets their paths, one a
//                                    line, sorted by name, for respack
//   picturetool --single NAME OUTPUT one picture, written to OUTPUT in the
//                                    format of NAME's extension
//   picturetool --names              prints every registered name
//   picturetool --sheets DIR         one contact sheet per family in DIR
// The same sources give the same bytes, whatever the number of threads.
#include "ImageWriters.h"
#include "Registry.h"
#include "Sheets.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <thread>

namespace {

bool drawPicture(const Picture& picture, const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    cairo_t* cr = cairo_create(surface);
    picture.draw(cr);
    cairo_destroy(cr);
    bool ok = writeInFormatOf(surface, path, picture.name);
    cairo_surface_destroy(surface);
    return ok;
}

std::vector<const Picture*> archivePictures()
{
    std::vector<const Picture*> pictures;
    for (const Picture& picture : Registry::instance().pictures())
        if (!picture.standalone)
            pictures.push_back(&picture);
    std::sort(pictures.begin(), pictures.end(),
              [](const Picture* a, const Picture* b) { return a->name < b->name; });
    return pictures;
}

// Workers take the next picture until none is left; each picture is drawn
// and written on its own, so the order of work does not matter.
bool drawInParallel(const std::vector<const Picture*>& pictures, const std::string& dir, unsigned jobs)
{
    std::vector<char> written(pictures.size(), 0);
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < pictures.size(); i = next++)
            written[i] = drawPicture(*pictures[i], dir + "/" + pictures[i]->name);
    };
    std::vector<std::thread> workers;
    for (unsigned j = 1; j < jobs; ++j)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    bool ok = true;
    for (size_t i = 0; i < pictures.size(); ++i)
        if (!written[i]) {
            std::cerr << "picturetool: cannot write " << dir << "/" << pictures[i]->name << "\n";
            ok = false;
        }
    return ok;
}

int drawAll(const std::string& dir, const std::string& listPath, unsigned jobs)
{
    std::vector<const Picture*> pictures = archivePictures();
    if (!drawInParallel(pictures, dir, jobs))
        return 1;
    if (listPath.empty())
        return 0;
    std::ofstream list(listPath, std::ios::trunc);
    for (const Picture* picture : pictures)
        list << dir << "/" << picture->name << "\n";
    return list ? 0 : 1;
}

int drawSingle(const std::string& name, const std::string& output)
{
    const Picture* picture = Registry::instance().find(name);
    if (!picture) {
        std::cerr << "picturetool: no picture named " << name << "\n";
        return 1;
    }
    if (!drawPicture(*picture, output)) {
        std::cerr << "picturetool: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

int usage()
{
    std::cerr << "usage: picturetool --out DIR [--list FILE] [--jobs N] | --single NAME OUTPUT | --names"
                 " | --sheets DIR\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "--single") == 0)
        return drawSingle(argv[2], argv[3]);
    if (argc == 2 && strcmp(argv[1], "--names") == 0) {
        for (const Picture& picture : Registry::instance().pictures())
            std::cout << picture.name << "\n";
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "--sheets") == 0)
        return writeContactSheets(argv[2]);
    if (argc < 3 || strcmp(argv[1], "--out") != 0)
        return usage();
    std::string listPath;
    unsigned jobs = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    for (int i = 3; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--list") == 0)
            listPath = argv[i + 1];
        else if (strcmp(argv[i], "--jobs") == 0)
            jobs = static_cast<unsigned>(std::max(1, atoi(argv[i + 1])));
        else
            return usage();
    }
    if (argc % 2 == 0)
        return usage();
    return drawAll(argv[2], listPath, jobs);
}
