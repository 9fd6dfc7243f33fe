#include "screens/DamageNotice.h"

namespace {

constexpr int STRING_TITLE = 2250;
constexpr int STRING_LIST_COPIED = 2350;
constexpr int STRING_LIST_NOT_COPIED = 2351;
constexpr int STRING_PROGRESS_COPIED = 2352;
constexpr int STRING_PROGRESS_NOT_COPIED = 2353;

} // namespace

DamageNotice damageNoticeFor(const CProfileBase::DamageNote& note)
{
    const bool copied = !note.copyPath.empty();
    if (note.kind == CProfileBase::DamageNote::LIST) {
        DamageNotice notice{STRING_TITLE, copied ? STRING_LIST_COPIED : STRING_LIST_NOT_COPIED,
                            {std::to_string(note.playersKept), std::to_string(note.playersFound)}};
        if (copied)
            notice.arguments.push_back(note.copyPath);
        return notice;
    }
    DamageNotice notice{STRING_TITLE, copied ? STRING_PROGRESS_COPIED : STRING_PROGRESS_NOT_COPIED, {note.player}};
    if (copied)
        notice.arguments.push_back(note.copyPath);
    return notice;
}
