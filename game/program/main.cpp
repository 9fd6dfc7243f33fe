#include "game/Game.h"

int main(int argc, char** argv)
{
    return runCorvelle(argc, argv);
}
