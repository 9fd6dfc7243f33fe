#pragma once

// Texts of the text table are templates: "%1".."%6" take the arguments the
// game passes, and nothing in them is ever a printf format. A template that
// asks for an argument the code does not pass, or holds a printf conversion
// ("%s", "%d"), came from a slip in the table; the slot would come out
// empty or the conversion would show as written.
//
// True when entry `stringNumber` names no argument above `argumentCount`
// and holds no printf conversion. Otherwise the slip goes to the error log
// (once per entry and run) and the result is false. A missing entry counts
// as a slip too.
bool checkTextArguments(int stringNumber, int argumentCount);

// Checks a list of (entry, argument count) pairs; true when all pass.
struct TextUse {
    int stringNumber;
    int argumentCount;
};
bool checkTextUses(const TextUse* uses, int count);
