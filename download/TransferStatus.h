// The text a driver row shows once a second while it downloads: the
// average rate since the start and the time left at that rate.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct TTransferStatus {
    double Speed = 0;  // KB/s (1 KB = 1024 bytes), kept when no time has passed
    std::string Text;
};

// `elapsed_seconds` since the start, millisecond resolution. `translate`
// looks up the two phrases; `decimal_separator` is the user's.
TTransferStatus FormatTransferStatus(std::int32_t total, std::int32_t done, double elapsed_seconds,
                                     double previous_speed, char decimal_separator,
                                     const std::function<std::string(const std::string&)>& translate);
