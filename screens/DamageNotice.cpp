#include "screens/DamageNotice.h"
#include "text/TextIds.h"

namespace {

} // namespace

DamageNotice damageNoticeFor(const CProfileBase::DamageNote& note)
{
    const bool copied = !note.copyPath.empty();
    if (note.kind == CProfileBase::DamageNote::LIST) {
        DamageNotice notice{TEXT_DAMAGE_TITLE,
                            copied ? TEXT_DAMAGED_LIST_COPIED_BODY : TEXT_DAMAGED_LIST_NOT_COPIED_BODY,
                            {std::to_string(note.playersKept), std::to_string(note.playersFound)}};
        if (copied)
            notice.arguments.push_back(note.copyPath);
        return notice;
    }
    DamageNotice notice{TEXT_DAMAGE_TITLE,
                        copied ? TEXT_DAMAGED_PROGRESS_COPIED_BODY : TEXT_DAMAGED_PROGRESS_NOT_COPIED_BODY,
                        {note.player}};
    if (copied)
        notice.arguments.push_back(note.copyPath);
    return notice;
}
