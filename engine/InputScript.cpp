#include "engine/InputScript.h"

#include "engine/Draw.h"
#include "engine/Log.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace {

// A whole decimal number in lo..hi.
bool readNumber(const std::string& text, int lo, int hi, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long n = strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || n < lo || n > hi)
        return false;
    value = static_cast<int>(n);
    return true;
}

// SDL's own key name (any case), else the key's number: "1" is the key
// named 1, "256" the key numbered 256.
bool readKey(const std::string& name, int& key)
{
    for (int k = SDLK_FIRST + 1; k < SDLK_LAST; ++k) {
        if (strcasecmp(SDL_GetKeyName(static_cast<SDLKey>(k)), name.c_str()) == 0) {
            key = k;
            return true;
        }
    }
    return readNumber(name, SDLK_FIRST + 1, SDLK_LAST - 1, key);
}

SDLMod modifierOf(int key)
{
    switch (key) {
    case SDLK_RSHIFT: return KMOD_RSHIFT;
    case SDLK_LSHIFT: return KMOD_LSHIFT;
    case SDLK_RCTRL: return KMOD_RCTRL;
    case SDLK_LCTRL: return KMOD_LCTRL;
    case SDLK_RALT: return KMOD_RALT;
    case SDLK_LALT: return KMOD_LALT;
    default: return KMOD_NONE;
    }
}

std::string trim(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

} // namespace

InputScript::InputScript(const std::string& text, const std::string& origin)
{
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string problem;
        if (parseLine(trim(line), number, problem))
            continue;
        ++errors_;
        logError(false, "Input script %s, line %i: %s: '%s'\n", origin.c_str(), number, problem.c_str(),
                 trim(line).c_str());
    }
}

std::unique_ptr<InputScript> InputScript::fromEnvironment()
{
    const char* path = getenv("CORVELLE_SCRIPT");
    if (!path || !*path)
        return nullptr;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        logError(true, "Cannot read the input script '%s'\n", path);
    std::ostringstream text;
    text << in.rdbuf();
    return std::make_unique<InputScript>(text.str(), path);
}

void InputScript::add(Kind kind, int line, int a, int b, const std::string& file)
{
    Step step;
    step.kind = kind;
    step.a = a;
    step.b = b;
    step.file = file;
    step.line = line;
    steps_.push_back(step);
}

bool InputScript::parseLine(const std::string& line, int number, std::string& problem)
{
    if (line.empty() || line[0] == '#')
        return true;
    size_t space = line.find_first_of(" \t");
    std::string command = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : trim(line.substr(space));
    std::istringstream words(rest);
    std::string first, second, extra;
    words >> first >> second >> extra;

    auto point = [&](int& x, int& y) {
        if (readNumber(first, 0, SCREEN_WIDTH, x) && readNumber(second, 0, SCREEN_HEIGHT, y) && extra.empty())
            return true;
        problem = "expected a point X Y within 0..800 x 0..600";
        return false;
    };
    auto key = [&](int& code) {
        if (readKey(rest, code))
            return true;
        problem = rest.empty() ? "expected a key name" : "unknown key";
        return false;
    };
    auto noArguments = [&]() {
        if (rest.empty())
            return true;
        problem = "takes no arguments";
        return false;
    };

    int x, y, code;
    if (command == "wait") {
        if (!readNumber(rest, 0, 1000000, x)) {
            problem = "expected a number of frames";
            return false;
        }
        add(Kind::Wait, number, x);
    } else if (command == "move" || command == "click") {
        if (!point(x, y))
            return false;
        add(Kind::Move, number, x, y);
        if (command == "click") {
            add(Kind::Wait, number, 1);
            add(Kind::Press, number);
            add(Kind::Wait, number, 1);
            add(Kind::Release, number);
        }
    } else if (command == "down" || command == "up") {
        if (!noArguments())
            return false;
        add(command == "down" ? Kind::Press : Kind::Release, number);
    } else if (command == "key" || command == "keydown" || command == "keyup") {
        if (!key(code))
            return false;
        if (command != "keyup")
            add(Kind::KeyDown, number, code);
        if (command == "key")
            add(Kind::Wait, number, 1);
        if (command != "keydown")
            add(Kind::KeyUp, number, code);
    } else if (command == "shot") {
        if (rest.empty()) {
            problem = "expected a file name";
            return false;
        }
        add(Kind::Shot, number, 0, 0, rest);
    } else if (command == "quit") {
        if (!noArguments())
            return false;
        add(Kind::Quit, number);
    } else {
        problem = "unknown command";
        return false;
    }
    return true;
}

void InputScript::runFrame()
{
    if (waiting_ > 0 && --waiting_ > 0)
        return;
    while (next_ < steps_.size() && waiting_ == 0)
        run(steps_[next_++]);
}

void InputScript::run(const Step& step)
{
    logMessage(LOG_DEBUG, "InputScript:  line %i\n", step.line);
    SDL_Event event = {};
    switch (step.kind) {
    case Kind::Wait:
        waiting_ = step.a;
        return;
    case Kind::Move:
        event.type = SDL_MOUSEMOTION;
        event.motion.state = buttonDown_ ? SDL_BUTTON(SDL_BUTTON_LEFT) : 0;
        event.motion.x = static_cast<Uint16>(step.a);
        event.motion.y = static_cast<Uint16>(step.b);
        event.motion.xrel = static_cast<Sint16>(step.a - mouseX_);
        event.motion.yrel = static_cast<Sint16>(step.b - mouseY_);
        mouseX_ = step.a;
        mouseY_ = step.b;
        SDL_PushEvent(&event);
        return;
    case Kind::Press:
    case Kind::Release:
        pushButton(step.kind == Kind::Press);
        return;
    case Kind::KeyDown:
    case Kind::KeyUp:
        pushKey(step.kind == Kind::KeyDown, step.a);
        return;
    case Kind::Shot:
        CDraw::saveScreenBMP(step.file.c_str());
        return;
    case Kind::Quit:
        event.type = SDL_QUIT;
        SDL_PushEvent(&event);
        return;
    }
}

void InputScript::pushButton(bool pressed)
{
    SDL_Event event = {};
    event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(mouseX_);
    event.button.y = static_cast<Uint16>(mouseY_);
    buttonDown_ = pressed;
    SDL_PushEvent(&event);
}

void InputScript::pushKey(bool pressed, int key)
{
    SDLMod modifier = modifierOf(key);
    modifiers_ = static_cast<SDLMod>(pressed ? modifiers_ | modifier : modifiers_ & ~modifier);
    SDL_Event event = {};
    event.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(key);
    event.key.keysym.mod = modifiers_;
    SDL_PushEvent(&event);
}
