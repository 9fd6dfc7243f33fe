// The text table ("resource5.dat", UTF-16) and the markup of its entries.
// Every entry that parses is laid out as the screens lay it out, with
// arguments filled in.

#include "fuzz/FuzzSupport.h"
#include "engine/TextTable.h"
#include "engine/TextLayout.h"

#include <string>

namespace {

// Arguments as a hostile player could type them: markup and argument
// markers must reach the screen as text, never expand again.
void layOut(const CFontString& text)
{
    TextArguments arguments;
    const char* typed[6] = {"%1", "%2%b", "%n%6", "100%", "%", "a b  c"};
    for (int i = 0; i < 6; ++i)
        arguments.narrow[i] = typed[i];
    TextLineFiller filler(200);
    for (const TextPiece& piece : cutText(text, arguments)) {
        if (piece.kind == TextPiece::LINE_BREAK)
            filler.breakLine();
        else if (piece.kind == TextPiece::WORD)
            filler.place(static_cast<int>(piece.word.length()) * 7);
    }
    filler.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TextTable table;
    parseTextTable(textUnitsFromBytes(bytes), table);
    for (const auto& [number, entry] : table)
        layOut(entry.text);
    return 0;
}
