#pragma once

#include <string>

#include "corvex.h"

// "{4D36E968-E325-11CE-BFC1-08002BE10318}": braces, upper-case hexadecimal.
std::string GuidToText(const qz_guid& guid);
