// Windows tests run on a main thread prepared like the program's own.
#include <gtest/gtest.h>

#include "Application_win.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    Application.Initialize();
    return RUN_ALL_TESTS();
}
