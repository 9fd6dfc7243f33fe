// The image store: every picture of the running program in one table of
// surfaces in the display's format, handed out by id. Named images are
// reference-counted records: preloaded files are decoded on first request;
// made images are forgotten when their last reference goes.
//
// The image archive stays open for the whole run and no picture's file
// bytes are kept in memory: a picture is read from the archive when it is
// decoded. During start-up the pictures the start-up lists use are read and
// decoded by worker threads, in the order the lists ask for them.
#include "engine/Draw.h"

#include "engine/ImageDecoder.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"

#include <SDL_image.h>

#include <fstream>
#include <iterator>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

const char* const kDeveloperFolder = "resource/";

struct ImageRecord {
    std::string name;
    int refCount = 0;
    int imageId = -1;
    std::vector<unsigned char> fileData;
    bool preloaded = false;
    // The file's entry in the image archive (-1: not from the archive).
    int archiveIndex = -1;
    // While start-up decodes: the job decoding it (-1: none).
    int decodeJob = -1;
};

struct ImageStore {
    std::vector<SDL_Surface*> table;
    // A name is bound once: a later record under a live name is reachable by
    // its id only.
    std::map<std::string, ImageRecord*> recordByName;
    std::map<int, ImageRecord*> recordById;
    std::unordered_map<const ImageRecord*, std::unique_ptr<ImageRecord>> records;
    std::unique_ptr<ArchiveFile> archive;
    std::unique_ptr<ImageDecoder> startUpDecoder;
};

ImageStore store;

const std::string separator(82, '=');
const std::string stars(82, '*');

ImageRecord* newRecord(const std::string& name)
{
    auto owned = std::make_unique<ImageRecord>();
    ImageRecord* record = owned.get();
    record->name = name;
    store.records.emplace(record, std::move(owned));
    return record;
}

// Every image enters the table in the display's format; the surface handed
// in is freed. Fatal when there is nothing to enter.
int appendSurface(SDL_Surface* surface)
{
    SDL_Surface* converted = CDraw::toDisplayFormat(surface, true);
    if (!converted)
        logError(true, "Could not load image:  %s\n", SDL_GetError());
    store.table.push_back(converted);
    return static_cast<int>(store.table.size()) - 1;
}

// A surface already in the display's format enters as it is.
int appendDisplaySurface(SDL_Surface* surface, const char* name)
{
    store.table.push_back(surface);
    int id = static_cast<int>(store.table.size()) - 1;
    logMessage(LOG_PRELOAD, "CDraw::loadImage   #%-6i:   %s\n", id, name);
    return id;
}

bool validId(int id) { return id >= 0 && id < static_cast<int>(store.table.size()); }

std::string fileType(const std::string& name) { return name.size() > 3 ? name.substr(name.size() - 3) : name; }

// Where the pictures come from, for the messages that name one.
const char* pictureSource() { return CDraw::isDeveloperMode() ? kDeveloperFolder : IMAGE_ARCHIVE; }

// Enters a decoded picture: its decoder's warnings go to the log, a failure
// is fatal with a message naming the picture and where it came from, and a
// file left to SDL_image goes there.
int enterPicture(const DecodedPicture& picture, const std::string& name)
{
    for (const std::string& warning : picture.warnings)
        logMessage(LOG_WARNING, "Picture '%s' (%s):  %s\n", name.c_str(), pictureSource(), warning.c_str());
    if (!picture.failure.empty())
        logError(true, "Could not load image:  %s (%s): %s\n", name.c_str(), pictureSource(), picture.failure.c_str());
    if (picture.displayFormat)
        return appendDisplaySurface(picture.surface, name.c_str());
    int id = appendSurface(picture.surface);
    logMessage(LOG_PRELOAD, "CDraw::loadImage   #%-6i:   %s\n", id, name.c_str());
    return id;
}

// The one route for file bytes: straight into the display's format where it
// can, through SDL_image and a conversion where it cannot.
int decodeBytes(const unsigned char* bytes, size_t size, const std::string& name)
{
    SDL_Surface* screen = CDraw::getScreen();
    DecodedPicture picture = decodePicture(bytes, size, fileType(name), screen ? screen->format : nullptr);
    if (picture.surface || !picture.failure.empty())
        return enterPicture(picture, name);
    return CDraw::loadImage(SDL_RWFromConstMem(bytes, static_cast<int>(size)), name.c_str());
}

int decodeFromArchive(const ImageRecord* record)
{
    std::vector<unsigned char> bytes;
    if (!store.archive)
        logError(true, "Could not load image:  %s (%s is not open)\n", record->name.c_str(), IMAGE_ARCHIVE);
    if (!store.archive->read(static_cast<uint32_t>(record->archiveIndex), bytes))
        logError(true, "Could not load image:  %s (%s): %s\n", record->name.c_str(), IMAGE_ARCHIVE,
                 store.archive->error().c_str());
    return decodeBytes(bytes.data(), bytes.size(), record->name);
}

int decodeFromDeveloperFolder(const ImageRecord* record)
{
    std::ifstream file(kDeveloperFolder + record->name, std::ios::binary);
    if (!file)
        logError(true, "Could not load image:  %s (%s): the file cannot be read\n", record->name.c_str(),
                 kDeveloperFolder);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return decodeBytes(bytes.data(), bytes.size(), record->name);
}

int decodeRecord(ImageRecord* record)
{
    if (record->decodeJob >= 0) {
        DecodedPicture ready = store.startUpDecoder->take(record->decodeJob);
        record->decodeJob = -1;
        if (ready.surface || !ready.failure.empty())
            return enterPicture(ready, record->name);
    }
    if (CDraw::isDeveloperMode())
        return decodeFromDeveloperFolder(record);
    if (record->archiveIndex >= 0)
        return decodeFromArchive(record);
    return decodeBytes(record->fileData.data(), record->fileData.size(), record->name);
}

void decode(ImageRecord* record)
{
    record->imageId = decodeRecord(record);
    store.recordById[record->imageId] = record;
}

} // namespace

int CDraw::getImage(const char* name)
{
    auto found = store.recordByName.find(name);
    if (found == store.recordByName.end())
        logError(true, "Unable to find preloaded image: %s\n", name);
    ImageRecord* record = found->second;
    if (record->imageId < 0)
        decode(record);
    ++record->refCount;
    return record->imageId;
}

int CDraw::findImageId(const char* name)
{
    auto found = store.recordByName.find(name);
    return found == store.recordByName.end() ? -1 : found->second->imageId;
}

void CDraw::releaseImage(const char* name)
{
    int id = findImageId(name);
    if (id >= 0)
        unloadImage(id);
}

void CDraw::unloadImage(int id)
{
    if (!validId(id)) {
        logMessage(LOG_WARNING, "CDraw::unloadImage()  No image with id %i\n", id);
        return;
    }
    SDL_Surface* surface = store.table[id];
    if (!surface)
        return;
    auto found = store.recordById.find(id);
    if (found != store.recordById.end()) {
        ImageRecord* record = found->second;
        if (--record->refCount > 0)
            return;
        record->refCount = 0;
        record->imageId = -1;
        store.recordById.erase(found);
        if (!record->preloaded) {
            auto named = store.recordByName.find(record->name);
            if (named != store.recordByName.end() && named->second == record)
                store.recordByName.erase(named);
            store.records.erase(record);
        }
    }
    forgetBlitPlan(id);
    SDL_FreeSurface(surface);
    store.table[id] = nullptr;
}

int CDraw::addImageRef(int id)
{
    auto found = store.recordById.find(id);
    if (found == store.recordById.end())
        logMessage(LOG_WARNING, "CDraw::addImageRef()  No named image with id %i\n", id);
    else
        ++found->second->refCount;
    return id;
}

const char* CDraw::getImageName(int id)
{
    auto found = store.recordById.find(id);
    return found == store.recordById.end() ? nullptr : found->second->name.c_str();
}

int CDraw::loadImage(SDL_RWops* stream, const char* name)
{
    std::string type = name;
    if (type.size() > 3)
        type = type.substr(type.size() - 3);
    SDL_Surface* decoded = stream ? IMG_LoadTyped_RW(stream, 1, type.data()) : nullptr;
    if (!decoded)
        logError(true, "Could not load image:  %s (%s): %s\n", name, pictureSource(), SDL_GetError());
    int id = appendSurface(decoded);
    logMessage(LOG_PRELOAD, "CDraw::loadImage   #%-6i:   %s\n", id, name);
    return id;
}

int CDraw::loadImageFile(const char* name)
{
    return loadImage(SDL_RWFromFile((std::string(kDeveloperFolder) + name).c_str(), "rb"), name);
}

int CDraw::addSurface(SDL_Surface* surface) { return appendSurface(surface); }

int CDraw::LoadSurface(SDL_Surface* surface, const char* name)
{
    int id = appendSurface(surface);
    if (name) {
        ImageRecord* record = newRecord(name);
        record->refCount = 1;
        record->imageId = id;
        store.recordById[id] = record;
        store.recordByName.emplace(name, record);
    }
    logMessage(LOG_PRELOAD, "CDraw::LoadSurface   #%-6i:   %s\n", id, name ? name : "");
    return id;
}

int CDraw::createImage(int width, int height, const char* name)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF000000, 0x00FF0000,
                                                0x0000FF00, 0x000000FF);
    return LoadSurface(surface, name);
}

int CDraw::copyScreen(const char* name) { return LoadSurface(makeScreenSurface(true), name); }

int CDraw::copySurface(const char* name) { return LoadSurface(makeScreenSurface(false), name); }

int CDraw::CopyImage(const char* sourceName, const char* newName, int dA)
{
    int sourceId = getImage(sourceName);
    SDL_Surface* copy = toDisplayFormat(store.table[sourceId], false);
    unloadImage(sourceId);
    int newId = LoadSurface(copy, newName);
    logMessage(LOG_DRAW, "CDraw::CopyImage   #%-6i:   %s  (%s, dA=%i)\n", newId, newName, sourceName, dA);
    shiftImageAlpha(newId, dA);
    return newId;
}

void CDraw::drawImageOnto(const char* name, int destinationId, int x, int y)
{
    int id = getImage(name);
    copyImageInto(id, destinationId, x, y);
    unloadImage(id);
}

SDL_Surface* CDraw::getImageSurface(int id)
{
    forgetBlitPlan(id);
    return peekImageSurface(id);
}

SDL_Surface* CDraw::peekImageSurface(int id)
{
    if (!validId(id)) {
        // -1 is "no image"; anything else is a caller's mistake.
        if (id != -1)
            logMessage(LOG_WARNING, "CDraw::getImageSurface()  No image with id %i\n", id);
        return nullptr;
    }
    return store.table[id];
}

int CDraw::getImageWidth(int id)
{
    SDL_Surface* surface = peekImageSurface(id);
    return surface ? surface->w : 0;
}

int CDraw::getImageHeight(int id)
{
    SDL_Surface* surface = peekImageSurface(id);
    return surface ? surface->h : 0;
}

int CDraw::getImageCount() { return static_cast<int>(store.table.size()); }

void CDraw::dumpImagePixels(int id)
{
    SDL_Surface* surface = peekImageSurface(id);
    if (!surface || surface->format->BytesPerPixel != 4)
        return;
    SDL_LockSurface(surface);
    int index = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            logMessage(LOG_DRAW, "Pixel %i = %x\n", index++, getPixel(surface, x, y));
    SDL_UnlockSurface(surface);
}

void CDraw::dumpImageBuffers(bool all)
{
    logMessage(LOG_DEBUG, "%s\n", separator.c_str());
    logMessage(LOG_DEBUG, "ALL IMAGE BUFFERS\n");
    logMessage(LOG_DEBUG, "%s\n", stars.c_str());
    int lines = 0;
    for (const auto& [id, record] : store.recordById) {
        if (record->refCount <= 0 || (!all && record->refCount == 1 && !record->preloaded))
            continue;
        logMessage(LOG_DEBUG, "%s  (ID=%i   R=%i   S=%i)\n", record->name.c_str(), id, record->refCount,
                   static_cast<int>(record->fileData.size()));
        ++lines;
    }
    logMessage(LOG_DEBUG, "%s\n", stars.c_str());
    logMessage(LOG_DEBUG, "COUNT:  %i\n", lines);
    logMessage(LOG_DEBUG, "%s\n", separator.c_str());
}

void CDraw::addPreloadedFile(const std::string& name, std::vector<unsigned char> bytes)
{
    ImageRecord* record = newRecord(name);
    record->fileData = std::move(bytes);
    record->preloaded = true;
    store.recordByName.emplace(name, record);
}

void CDraw::addArchivedFiles(std::unique_ptr<ArchiveFile> archive)
{
    for (uint32_t i = 0; i < archive->count(); ++i) {
        const std::string& name = archive->name(i);
        // A name is bound once: a later entry of the same name is never found.
        if (store.recordByName.count(name))
            continue;
        ImageRecord* record = newRecord(name);
        record->preloaded = true;
        record->archiveIndex = static_cast<int>(i);
        store.recordByName.emplace(name, record);
    }
    store.archive = std::move(archive);
}

void CDraw::decodeStartUpImages(const std::vector<std::string>& order)
{
    SDL_Surface* screen = getScreen();
    if (!screen || !store.archive)
        return;
    store.startUpDecoder = std::make_unique<ImageDecoder>();
    for (const std::string& name : order) {
        auto found = store.recordByName.find(name);
        if (found == store.recordByName.end())
            continue;
        ImageRecord* record = found->second;
        if (record->archiveIndex >= 0 && record->imageId < 0 && record->decodeJob < 0)
            record->decodeJob = store.startUpDecoder->add(*store.archive, static_cast<uint32_t>(record->archiveIndex),
                                                          fileType(name));
    }
    store.startUpDecoder->start(*screen->format, ImageDecoder::defaultThreads());
}

void CDraw::finishStartUpDecoding()
{
    for (auto& [key, record] : store.records)
        record->decodeJob = -1;
    store.startUpDecoder.reset();
}

void CDraw::clearImageNames()
{
    finishStartUpDecoding();
    store.archive.reset();
    store.recordByName.clear();
    store.recordById.clear();
}

void CDraw::releaseImageStore()
{
    logMessage(LOG_DRAW, "Clearing image vector...\n");
    finishStartUpDecoding();
    store.archive.reset();
    forgetBlitPlans();
    for (SDL_Surface* surface : store.table)
        SDL_FreeSurface(surface);
    store.table.clear();
    store.recordByName.clear();
    store.recordById.clear();
    store.records.clear();
}
