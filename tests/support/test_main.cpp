// The main of the logic test programs.

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Firmware the user installed must not change what the tests build, in
    // this process or in the kl40-cli processes it starts.
    setenv("XDG_DATA_HOME", "/nonexistent/kl40-test-data", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
