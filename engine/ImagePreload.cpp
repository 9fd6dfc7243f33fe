// Start-up image preload: the bytes of every image file go into the image
// store, from the image archive or, in developer mode, from the loose files
// of "resource/"; then the start-up lists decode what the game holds.
#include "engine/Draw.h"
#include "engine/PreloadLists.h"

#include "engine/Log.h"
#include "engine/PreloadTable.h"
#include "engine/ResourceArchive.h"
#include "platform/Folders.h"

#include <fstream>
#include <iterator>

namespace {

const char* const kImageArchive = IMAGE_ARCHIVE;
const char* const kDeveloperFolder = "resource/";

void archiveDamaged(const ArchiveFile& archive)
{
    logError(false, "%s: %s\n", kImageArchive, archive.error().c_str());
    logError(true, "Cannot load resource file!\n");
}

// The plain files of the developer folder, by name, sorted.
std::vector<std::string> listDeveloperFolder()
{
    std::vector<std::string> names;
    FolderListing listing = listPlainFiles(kDeveloperFolder, names);
    if (listing == FolderListing::NotOpened)
        logError(true, "Unable to preload graphics: Directory stream pointer was not opened.\n");
    logMessage(LOG_PRELOAD, "Scanning DRAW_URL_DIR for preloading...\n");
    if (listing == FolderListing::NotClosed)
        logError(true, "Unable to preload images: Directory stream pointer was not closed.\n");
    return names;
}

} // namespace

void CDraw::preloadImages()
{
    clearImageNames();
    if (isDeveloperMode())
        preloadFolder();
    else
        preloadArchive();
    logMessage(LOG_MILESTONE, "ID_000a: INIT:     Images Preloaded\n");
    runPreloadLists();
    finishStartUpDecoding();
}

// Every count, offset, size and name length of the archive is checked
// against the file; any damage ends the program with one clear message
// instead of reading past the end. The start-up lists' pictures begin
// decoding at once, on worker threads, while the lists run; every picture
// is read from the archive only when it is decoded.
void CDraw::preloadArchive()
{
    logMessage(LOG_DEBUG, "Loading DRAW_URL_DAT:  %s\n", kImageArchive);
    auto archive = std::make_unique<ArchiveFile>();
    if (!archive->open(kImageArchive))
        archiveDamaged(*archive);
    loadProgressBar(static_cast<int>(archive->count()));
    addLoadProgress(static_cast<int>(archive->count()));
    addArchivedFiles(std::move(archive));
    decodeStartUpImages(preload::startUpNames().archived);
}

void CDraw::preloadFolder()
{
    logMessage(LOG_DEBUG, "Loading DRAW_URL_DIR:  %s\n", kDeveloperFolder);
    std::vector<std::string> names = listDeveloperFolder();
    loadProgressBar(static_cast<int>(names.size()));
    for (const std::string& name : names) {
        std::ifstream file(kDeveloperFolder + name, std::ios::binary);
        if (!file)
            logError(true, "Could not load image:  %s\n", name.c_str());
        std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(file), {});
        addPreloadedFile(name, std::move(bytes));
        addLoadProgress(1);
    }
}
