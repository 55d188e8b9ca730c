#pragma once
// Which of the twenty portraits a player's Face text names: "m1".."m10" the
// men (0..9), "w1".."w10" the women (10..19). The prop plug-in draws its
// plates from the same rule.
#include <string>

namespace vask {

int PortraitIndex(const std::string& face);

}  // namespace vask
