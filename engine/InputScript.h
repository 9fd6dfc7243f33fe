#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

// Scripted input for automated runs. With CORVELLE_SCRIPT naming a file,
// the main loop runs the script at the top of every frame: its commands
// become real SDL events, queued as a player's would be, so they travel the
// same road through the input module to the current screen.
//
// One command a line; blank lines and lines starting with "#" are skipped:
//   wait N        the next command runs N frames later
//   move X Y      the pointer moves to (X, Y), 0..800 x 0..600
//   down / up     the left button is pressed / released where the pointer is
//   click X Y     move, then down a frame later, then up a frame later
//   key NAME      the key is pressed, and released a frame later
//   keydown NAME, keyup NAME
//   shot FILE     writes the screen as it stands to a BMP file
//   quit          as if the window were closed
// A key NAME is SDL's name of the key in any case ("return", "left shift",
// "[0]" for keypad 0, "1" for the digit) or else its number ("256"). Held modifier keys go with the key
// events that follow, as SDL reports them.
//
// A line that cannot be read is reported on the error log and skipped.
class InputScript
{
public:
    // Reads the commands of a script; origin names it in error messages.
    // SDL's video system must be up (it knows the key names).
    InputScript(const std::string& text, const std::string& origin);

    // The script named by CORVELLE_SCRIPT; null when the variable is unset
    // or empty. A file that cannot be read is a fatal error.
    static std::unique_ptr<InputScript> fromEnvironment();

    // Queues the events due in this frame.
    void runFrame();
    // Lines that could not be read.
    int errorCount() const { return errors_; }

private:
    enum class Kind { Wait, Move, Press, Release, KeyDown, KeyUp, Shot, Quit };
    struct Step {
        Kind kind;
        int a = 0, b = 0;
        std::string file;
        int line = 0;
    };

    bool parseLine(const std::string& line, int number, std::string& problem);
    void add(Kind kind, int line, int a = 0, int b = 0, const std::string& file = "");
    void run(const Step& step);
    void pushButton(bool pressed);
    void pushKey(bool pressed, int key);

    std::vector<Step> steps_;
    size_t next_ = 0;
    int waiting_ = 0;
    int errors_ = 0;
    int mouseX_ = 0, mouseY_ = 0;
    bool buttonDown_ = false;
    SDLMod modifiers_ = KMOD_NONE;
};
