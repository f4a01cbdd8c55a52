#pragma once

#include <string>

// A name that can only name a file inside the download folder. A plain
// file name is kept as it is; anything else is reduced: its last path
// segment only, characters Windows forbids replaced by "_", no trailing dots
// or blanks, reserved device names (CON, COM1 ...) prefixed with "_", and
// "driver-download" when nothing is left.
std::string SafeFileName(const std::string& name);
