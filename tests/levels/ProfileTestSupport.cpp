#include "ProfileTestSupport.h"

#include "engine/ByteOrder.h"
#include "engine/Parameters.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Random.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace profile_test {

ServiceCalls& calls()
{
    static ServiceCalls recorded;
    return recorded;
}

std::string dataPath(const std::string& name)
{
    return std::string(getProfileDirectory()) + name;
}

std::string profilePath(int number)
{
    return dataPath("PROFILE" + std::to_string(number + 1) + "v3.DAT");
}

std::string headerPath()
{
    return dataPath("INFOv3.DAT");
}

int32_t peekI32(const std::string& bytes, size_t offset)
{
    return static_cast<int32_t>(ByteOrder::peekU32(reinterpret_cast<const unsigned char*>(bytes.data() + offset)));
}

void pokeI32(std::string& bytes, size_t offset, int32_t value)
{
    ByteOrder::pokeU32(reinterpret_cast<unsigned char*>(&bytes[offset]), static_cast<uint32_t>(value));
}

std::string i32Bytes(int32_t value)
{
    std::string bytes(4, '\0');
    pokeI32(bytes, 0, value);
    return bytes;
}

void removeProfileFiles()
{
    for (const auto& item : fs::directory_iterator(getProfileDirectory())) {
        std::string name = item.path().filename().string();
        if (name.rfind("INFO", 0) == 0 || name.rfind("PROFILE", 0) == 0)
            fs::remove_all(item.path());
    }
}

void ProfileTest::SetUp()
{
    removeProfileFiles();
    ResetParametersForTesting();
    gameSrand(1234);
    calls() = ServiceCalls();
    ProfileServices services;
    services.toggleFullscreen = [](bool onlyIfDifferent, bool on) { calls().toggles.emplace_back(onlyIfDifferent, on); };
    services.hasScreen = [] { return calls().screen; };
    services.setEffectsVolume = [](float volume) { calls().effects.push_back(volume); };
    services.setMusicVolume = [](float volume) { calls().music.push_back(volume); };
    services.grabInput = [](bool grab) { calls().grabs.push_back(grab); };
    services.setRelativeMouse = [](bool on) { calls().relative.push_back(on); };
    services.setMouseSpeed = [](float speed) { calls().speeds.push_back(speed); };
    setProfileServices(services);
}

void ProfileTest::TearDown()
{
    profile.reset();
    AtomicFile::failAfterBytesForTesting(-1);
    setProfileServices(ProfileServices());
}

void ProfileTest::reopen()
{
    profile.reset();
    profile = std::make_unique<CProfile>();
}

} // namespace profile_test
