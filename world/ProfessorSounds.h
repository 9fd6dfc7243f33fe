#pragma once

#include "engine/SoundObject.h"
#include "world/ElementAIProfessor.h"

#include <array>

// The professor's own sounds, shared by the files that make up his class.
struct CElementAIProfessor::Sounds {
    SoundObject tubeArrival{"tube_arrival.ogg", false};
    SoundObject tubeDeparture{"tube_departure.ogg", false};
    SoundObject frostgun{"powerup_frostgun.ogg", false};
    SoundObject heatgun{"powerup_heatgun.ogg", false};
    SoundObject emp{"powerup_emp.ogg", false};
    SoundObject whistle{"powerup_whistle.ogg", false};
    SoundObject inflate{"powerup_inflate.ogg", false};
    SoundObject fail{"powerup_fail.ogg", false};
    SoundObject empElectricity{"emp_electricity.ogg", false};
    SoundObject caught{"bot_catches_prof.ogg", false};
    SoundObject trampoline{"professor_trampoline.ogg", false};
    SoundObject crush{"professor_crush.ogg", false};
    SoundObject stuckIce{"stuck_ice.ogg", false};
    std::array<SoundObject, 6> run{{{"professor_run0.ogg", false},
                                    {"professor_run1.ogg", false},
                                    {"professor_run2.ogg", false},
                                    {"professor_run3.ogg", false},
                                    {"professor_run4.ogg", false},
                                    {"professor_run5.ogg", false}}};
    std::array<SoundObject, 4> climb{{{"professor_climb0.ogg", false},
                                      {"professor_climb1.ogg", false},
                                      {"professor_climb2.ogg", false},
                                      {"professor_climb3.ogg", false}}};
    int lastRun = 0, runCounter = 8;
    int lastClimb = 0, climbCounter = 2;
};
