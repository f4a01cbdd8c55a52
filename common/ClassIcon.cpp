#include "ClassIcon.h"

#include "TextCompare.h"

int GetClassIconIndex(const std::string& ClassName) {
    struct Entry {
        const char* name;
        int index;
    };
    static constexpr Entry kIcons[] = {
        {"Net", 1},       {"System", 2},     {"Computer", 3}, {"Bluetooth", 4}, {"Image", 5},
        {"HIDClass", 6},  {"Mouse", 7},      {"DiskDrive", 8}, {"USB", 9},      {"MEDIA", 10},
        {"SCSIAdapter", 11}, {"Monitor", 12}, {"CDROM", 13},  {"Volume", 14},   {"Keyboard", 15},
        {"WCEUSBS", 16},  {"hdc", 17},       {"Processor", 18}, {"Battery", 19}, {"Display", 20},
        {"1394", 21},     {"Ports", 22},     {"SBP2", 22},    {"fdc", 22},      {"Modem", 22},
    };
    if (ClassName.empty()) return 0;
    for (const Entry& entry : kIcons)
        if (SameTextLocale(ClassName, entry.name)) return entry.index;
    return 0;
}
