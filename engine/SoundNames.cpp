#include "engine/SoundNames.h"

namespace {

// Adds "prefix<n>.ogg" for n from first to last.
void addSeries(std::vector<std::string>& names, const char* prefix, int first, int last)
{
    for (int n = first; n <= last; ++n)
        names.push_back(prefix + std::to_string(n) + ".ogg");
}

std::vector<std::string> buildNames()
{
    std::vector<std::string> names = {
        // screens and widgets
        "click_v1-2.ogg", "click_v1-3.ogg", "rollover_v1-2.ogg", "map_dot.ogg", "victory.ogg",
        // the professor
        "professor_crush.ogg", "professor_land.ogg", "professor_trampoline.ogg",
        // bots
        "bot_catches_prof.ogg", "bot_crush.ogg", "bot_fall.ogg", "bot_hang_detect.ogg", "bot_slide.ogg",
        // bridges
        "bridge_collapse_inflatable_short.ogg", "bridge_collapse_wooden_short.ogg",
        // devices
        "button_click.ogg", "device_breaking.ogg", "gate_break.ogg", "gate_close.ogg", "gate_fail.ogg",
        "gate_open.ogg", "teleport_activated.ogg", "teleport_powerdown.ogg", "teleport_powerup.ogg",
        "trampoline_rebound.ogg", "trampoline_stretch.ogg", "tube_arrival.ogg", "tube_departure.ogg",
        // objects and magnets
        "object_barrel_roll.ogg", "object_land.ogg", "object_slide.ogg", "object_slide_ice.ogg",
        "object_stop.ogg", "stuck_ice.ogg", "magnet_attract.ogg", "magnet_repel.ogg",
        // power-ups and shots
        "powerup_collect.ogg", "powerup_emp.ogg", "powerup_fail.ogg", "powerup_frostgun.ogg",
        "powerup_heatgun.ogg", "powerup_inflate.ogg", "powerup_whistle.ogg", "emp_electricity.ogg",
        "explode_frost.ogg", "explode_heat_ice.ogg", "explode_heat_inflatable.ogg", "explode_heat_metal.ogg",
        "explode_heat_wood.ogg", "element_burning.ogg", "element_bursting.ogg", "element_melting.ogg",
        // music
        "main.oxm", "map.oxm", "story.oxm", "stage1.oxm", "stage2.oxm", "stage3.oxm",
    };
    addSeries(names, "professor_run", 0, 5);
    addSeries(names, "professor_climb", 0, 3);
    addSeries(names, "bot_footstep", 1, 12);
    addSeries(names, "bot_climb", 0, 3);
    addSeries(names, "bridge_collapse_inflatable_short", 2, 6);
    addSeries(names, "bridge_collapse_wooden_short", 2, 6);
    return names;
}

} // namespace

const std::vector<std::string>& gameSoundNames()
{
    static const std::vector<std::string> names = buildNames();
    return names;
}
