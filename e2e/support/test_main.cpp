// The entry point of e2e_tests.exe. The Windows build links every program
// with -municode, whose start-up code calls wmain, so GoogleTest's own main
// would never run; this one takes its place.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
