// What a driver row computes: decoded links, safe and unique file names,
// the once-a-second status text, and the class icon of a category.
#include <gtest/gtest.h>

#include <set>

#include "ClassIcon.h"
#include "PubUnit.h"
#include "SafeFileName.h"
#include "TransferStatus.h"

namespace {

TEST(PercentDecodeTest, DecodesBytesAndDropsWhatSpellsNone) {
    struct Case {
        const char* text;
        std::string decoded;
    } cases[] = {
        {"my%20driver.exe", "my driver.exe"},
        {"a%2520b", "a%20b"},       // once; the row decodes a second time
        {"a%zzb", "ab"},            // not hexadecimal: the three characters go
        {"a%00b", "ab"},            // spells 0
        {"a%4", "a%4"},             // too short
        {"a+b%2B", "a+b+"},
        {"%E9t%C3%A9", "\xe9t\xc3\xa9"},
    };
    for (const Case& c : cases) EXPECT_EQ(PercentDecode(c.text), c.decoded) << c.text;
    EXPECT_EQ(PercentDecode(PercentDecode("setup%2520x64.exe")), "setup x64.exe");
}

TEST(MakeUniqueFileNameTest, CountsUpWhileTheNameIsInUse) {
    std::set<std::string> busy;
    auto in_use = [&](const std::string& path) { return busy.count(path) > 0; };
    EXPECT_EQ(MakeUniqueFileName("C:\\data\\setup.exe", in_use), "C:\\data\\setup.exe");
    busy = {"C:\\data\\setup.exe", "C:\\data\\setup(1).exe"};
    EXPECT_EQ(MakeUniqueFileName("C:\\data\\setup.exe", in_use), "C:\\data\\setup(2).exe");
    busy = {"C:\\data.d\\readme"};
    EXPECT_EQ(MakeUniqueFileName("C:\\data.d\\readme", in_use), "C:\\data.d\\readme(1)");
    busy = {"C:\\data\\pkg.tar.gz"};
    EXPECT_EQ(MakeUniqueFileName("C:\\data\\pkg.tar.gz", in_use), "C:\\data\\pkg.tar(1).gz");
}

TEST(SafeFileNameTest, KeepsPlainNamesAndTamesTheRest) {
    struct Case {
        const char* name;
        const char* safe;
    } cases[] = {
        {"setup.exe", "setup.exe"},
        {"my driver 1.2.exe", "my driver 1.2.exe"},
        {"..\\..\\Windows\\evil.exe", "evil.exe"},
        {"../../etc/evil.exe", "evil.exe"},
        {"C:\\Windows\\System32\\x.dll", "x.dll"},
        {"a:b*c?.exe", "a_b_c_.exe"},
        {"con.txt", "_con.txt"},
        {"LPT1", "_LPT1"},
        {"COM10.exe", "COM10.exe"},
        {"setup.exe. . ", "setup.exe"},
        {"..", "driver-download"},
        {"", "driver-download"},
        {"dir\\", "driver-download"},
        {"tab\there.exe", "tab_here.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(SafeFileName(c.name), c.safe) << c.name;
}

std::string Same(const std::string& text) { return text; }

TEST(TransferStatusTest, RateAndTimeLeftOfTheWorkedExample) {
    const TTransferStatus status = FormatTransferStatus(10485760, 2621440, 10.0, 0, '.', Same);
    EXPECT_DOUBLE_EQ(status.Speed, 256.0);
    EXPECT_EQ(status.Text, "Transfer rate: 256.00 KB/s  Estimated time left: 00:00:30");
}

TEST(TransferStatusTest, NothingYetShowsAZeroRateWithoutTime) {
    EXPECT_EQ(FormatTransferStatus(100, 0, 3.0, 0, '.', Same).Text, "Transfer rate: 0.00 KB/s  ");
    // No time passed yet: the previous rate stands.
    EXPECT_DOUBLE_EQ(FormatTransferStatus(100, 50, 0.0, 12.5, '.', Same).Speed, 12.5);
}

TEST(TransferStatusTest, HoursMinutesSecondsAndTheUsersSeparator) {
    // 1 KB/s with 3,725 KB to go: 1 h 2 min 5 s.
    const TTransferStatus status = FormatTransferStatus(1024 * 3735, 1024 * 10, 10.0, 0, ',', [](const std::string& t) {
        return t == "Transfer rate: " ? std::string("Rate: ") : std::string("Left: ");
    });
    EXPECT_EQ(status.Text, "Rate: 1,00 KB/s  Left: 01:02:05");
    // Past an unannounced total nothing is left to wait for.
    EXPECT_EQ(FormatTransferStatus(100, 4096, 2.0, 0, '.', Same).Text,
              "Transfer rate: 2.00 KB/s  Estimated time left: 00:00:00");
}

TEST(ClassIconTest, WholeNamesWithoutRegardToCase) {
    struct Case {
        const char* name;
        int index;
    } cases[] = {{"Net", 1},      {"NET", 1},       {"net", 1},     {"Network", 0}, {"Printer", 0},
                 {"", 0},         {"System", 2},    {"media", 10},  {"Ports", 22},  {"SBP2", 22},
                 {"fdc", 22},     {"Modem", 22},    {"1394", 21},   {"hdc", 17},    {"Display", 20}};
    for (const Case& c : cases) EXPECT_EQ(GetClassIconIndex(c.name), c.index) << c.name;
}

}  // namespace
