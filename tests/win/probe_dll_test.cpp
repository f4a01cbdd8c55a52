// corvex.dll through its exports on a real COM and SetupAPI.
#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>
#include <vector>

#include "corvex.h"

namespace {

TEST(ProbeDll, RefusesAThreadAlreadyInTheMultiThreadedApartment) {
    std::int32_t result = 0;
    std::int32_t code = 0;
    std::thread([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        result = qz_initialize();
        code = qz_get_error_code();
        std::int32_t count = 5;
        // The library stays uninitialised: no state to serve.
        EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
        EXPECT_EQ(count, 5);
        CoUninitialize();
    }).join();
    EXPECT_EQ(result, -1);
    EXPECT_EQ(code, PROBE_ERR_COM_INIT);
}

TEST(ProbeDll, ScansAndServesRecordsOnAnApartmentThread) {
    std::thread([] {
        ASSERT_EQ(qz_initialize(), 0);
        ASSERT_EQ(qz_initialize(), 0);  // again on the same thread: a fresh state
        ASSERT_EQ(qz_scan_hardware(), 0);
        std::int32_t count = 0;
        qz_get_hardware_details(nullptr, 0, &count);
        ASSERT_GT(count, 0);
        std::vector<hardware_detail> records(static_cast<std::size_t>(count));
        ASSERT_EQ(qz_get_hardware_details(records.data(), count, &count), 0);
        for (const hardware_detail& record : records) {
            EXPECT_NE(record.hardware_id[0], u'\0');
            EXPECT_EQ(record.flags & ~(PROBE_FLAG_PRESENT | PROBE_FLAG_DRIVER_INFO), 0u);
            hardware_detail single;
            EXPECT_EQ(qz_get_hardware_detail(record.hardware_id, &single), 0);
        }
        EXPECT_EQ(qz_uninitialize(), 0);
        EXPECT_EQ(qz_uninitialize(), 0);
        EXPECT_EQ(qz_get_error_code(), PROBE_ERR_BUFFER_TOO_SMALL);
    }).join();
}

}  // namespace
