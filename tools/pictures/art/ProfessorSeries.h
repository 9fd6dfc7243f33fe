#pragma once

// Registration helpers shared by the professor's series files.

#include "ProfessorRig.h"

#include <functional>
#include <string>

namespace professor {

using figure::FacingDraw;
using figure::Origin;

// prefix+"left"+N+suffix (facing -1) and prefix+"right"+N+suffix (facing +1).
void addPair(Registry& registry, const char* family, const std::string& prefix, int first, int last,
             const std::string& suffix, Origin left, Origin right, FacingDraw draw);

// A series whose pictures show one pose each, facing right unless mirrored.
void addPoses(Registry& registry, const char* family, const std::string& name, int first, int last,
              const std::string& suffix, Origin origin, int facing, std::function<Pose(int frame)> pose);

// The families of the professor, registered from their own files.
void registerMoves(Registry& registry, const char* family);
void registerActions(Registry& registry, const char* family);
void registerMishaps(Registry& registry, const char* family);
void registerIdles(Registry& registry, const char* family);

} // namespace professor
