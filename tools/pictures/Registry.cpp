#include "Registry.h"

#include <stdexcept>

Registry& Registry::instance()
{
    static Registry registry;
    return registry;
}

void Registry::add(Picture picture)
{
    if (find(picture.name))
        throw std::runtime_error("picture registered twice: " + picture.name);
    pictures_.push_back(std::move(picture));
}

const Picture* Registry::find(const std::string& name) const
{
    for (const Picture& picture : pictures_)
        if (picture.name == name)
            return &picture;
    return nullptr;
}

FamilyRegistration::FamilyRegistration(const char* family, void (*registerPictures)(Registry&, const char*))
{
    registerPictures(Registry::instance(), family);
}

void addPicture(Registry& registry, const char* family, const std::string& name, int width, int height,
                std::function<void(cairo_t*)> draw)
{
    registry.add(Picture{name, width, height, std::move(draw), family});
}

void addStandalonePicture(Registry& registry, const char* family, const std::string& name, int width, int height,
                          std::function<void(cairo_t*)> draw)
{
    registry.add(Picture{name, width, height, std::move(draw), family, true});
}

std::string seriesName(const std::string& prefix, int number, const std::string& suffix)
{
    return prefix + std::to_string(number) + suffix;
}
