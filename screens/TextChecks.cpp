#include "screens/TextChecks.h"

#include "engine/FontSystem.h"
#include "engine/Log.h"

#include <set>

namespace {

std::set<int>& reported()
{
    static std::set<int> numbers;
    return numbers;
}

bool report(int stringNumber, const char* problem)
{
    if (reported().insert(stringNumber).second)
        logError(false, "Text #%i:  %s\n", stringNumber, problem);
    return false;
}

} // namespace

bool checkTextArguments(int stringNumber, int argumentCount)
{
    const TextEntry* entry = CFontSystem::GetEntry(stringNumber);
    if (!entry)
        return report(stringNumber, "missing from the text table");
    const std::u16string& text = entry->text.str();
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        char16_t next = text[i + 1];
        if (next >= u'1' && next <= u'6' && next - u'0' > argumentCount)
            return report(stringNumber, "asks for an argument the game does not pass");
        if (next == u's' || next == u'd')
            return report(stringNumber, "holds a printf conversion");
        // "%%" and markup are two characters.
        ++i;
    }
    return true;
}

bool checkTextUses(const TextUse* uses, int count)
{
    bool ok = true;
    for (int i = 0; i < count; ++i)
        ok = checkTextArguments(uses[i].stringNumber, uses[i].argumentCount) && ok;
    return ok;
}
