#include "TransferStatus.h"

#include <cstdio>

TTransferStatus FormatTransferStatus(std::int32_t total, std::int32_t done, double elapsed_seconds,
                                     double previous_speed, char decimal_separator,
                                     const std::function<std::string(const std::string&)>& translate) {
    TTransferStatus status;
    status.Speed = elapsed_seconds > 0 ? done / 1024.0 / elapsed_seconds : previous_speed;
    std::string time_left;
    if (status.Speed > 0) {
        // More received than announced (no length was given) leaves nothing to wait for.
        const double remaining = (static_cast<double>(total) - done) / 1024.0 / status.Speed;
        const long long seconds = remaining > 0 ? static_cast<long long>(remaining) : 0;
        char clock[48];
        std::snprintf(clock, sizeof clock, "%2.2lld:%2.2lld:%2.2lld", seconds / 3600, (seconds / 60) % 60,
                      seconds % 60);
        time_left = translate("Estimated time left: ") + clock;
    }
    char rate[48];
    std::snprintf(rate, sizeof rate, "%.2f", status.Speed);
    std::string rate_text = rate;
    for (char& c : rate_text)
        if (c == '.') c = decimal_separator;
    status.Text = translate("Transfer rate: ") + rate_text + " KB/s" + "  " + time_left;
    return status;
}
