#pragma once
// The chest pictures of our plug-in, drawn here and handed to the client as
// PNG bytes.
#include <string>

namespace vask::props {

// A closed or an opened treasure chest of w × h pixels, as a PNG file.
std::string ChestPicture(bool open, int w, int h);

}  // namespace vask::props
