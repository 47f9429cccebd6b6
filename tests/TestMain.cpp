#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // A run meant for a double-byte code page must really have one.
    const char* expected = std::getenv("TESSELO_EXPECTED_ACP");
    if (expected && std::to_string(GetACP()) != expected) {
        std::fprintf(stderr, "The ANSI code page is %u, not %s.\n", GetACP(), expected);
        return 1;
    }
    std::printf("ANSI code page %u\n", GetACP());
    return RUN_ALL_TESTS();
}
