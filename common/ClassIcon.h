#pragma once

#include <string>

// The icon of a device setup class in the class icon strip: the class name
// compared whole, without regard to case; 0 for every class without an icon.
int GetClassIconIndex(const std::string& ClassName);
