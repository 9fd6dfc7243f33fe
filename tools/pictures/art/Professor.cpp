// The professor: every animation of the player's character, drawn from the
// rig in ProfessorRig.cpp.
#include "ProfessorSeries.h"

namespace professor {

void addPair(Registry& registry, const char* family, const std::string& prefix, int first, int last,
             const std::string& suffix, Origin left, Origin right, FacingDraw draw)
{
    figure::addSeries(registry, family, prefix + "left", first, last, suffix, left.x, left.y,
                      [draw](cairo_t* cr, int frame) { draw(cr, frame, -1); });
    figure::addSeries(registry, family, prefix + "right", first, last, suffix, right.x, right.y,
                      [draw](cairo_t* cr, int frame) { draw(cr, frame, 1); });
}

void addPoses(Registry& registry, const char* family, const std::string& name, int first, int last,
              const std::string& suffix, Origin origin, int facing, std::function<Pose(int frame)> pose)
{
    figure::addSeries(registry, family, name, first, last, suffix, origin.x, origin.y,
                      [pose, facing](cairo_t* cr, int frame) { drawProfessor(cr, pose(frame), facing); });
}

namespace {

void registerProfessor(Registry& registry, const char* family)
{
    registerMoves(registry, family);
    registerActions(registry, family);
    registerMishaps(registry, family);
    registerIdles(registry, family);
}

FamilyRegistration professorFamily("professor", registerProfessor);

} // namespace

} // namespace professor
