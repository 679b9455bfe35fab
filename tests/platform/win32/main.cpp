// The Windows platform tests. The binary doubles as the helper process of
// the single-instance tests: "--hold-instance NAME" takes the guard, says so
// on its output and waits to be killed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/single_instance.h"
#include "platform/system_info.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--hold-instance") == 0) {
        orbel::platform::SingleInstanceLock lock(argv[2]);
        const auto result = lock.acquire();
        std::puts(result == orbel::platform::SingleInstanceLock::Result::Acquired ? "held" : "refused");
        std::fflush(stdout);
        Sleep(INFINITE);
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
