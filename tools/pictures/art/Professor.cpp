// The professor: every animation of the player's character, drawn from the
// rig in ProfessorRig.cpp.
#include "ProfessorSeries.h"

namespace professor {

void addPair(Registry& registry, const char* family, const std::string& prefix, int first, int last,
             const std::string& suffix, Origin left, Origin right, FacingDraw draw)
{
    figure::addSides(registry, family, prefix + "left", prefix + "right", first, last, suffix, left, right, draw);
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
