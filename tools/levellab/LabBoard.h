#pragma once

#include <string>

// The world as it stands, drawn as text: 24 rows of 32 characters, one a
// cell, each element by its kind and state (the table is in the README's
// "Designing a level"), then one line per condition that a character cannot
// show along with the kind ("frozen: 5,21 9,20"), for the cells that hold
// it. Two worlds that look alike to a player draw alike.
std::string drawBoard();
// The same into `board`, whose room is kept: for drawing many frames.
void drawBoard(std::string& board);
