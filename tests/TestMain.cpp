#include <gtest/gtest.h>

#include <cstdio>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (const Status ready = Application::Instance().Initialize(); !ready) {
        fprintf(stderr, "%s\n", ready.Message().c_str());
        return 1;
    }
    return RUN_ALL_TESTS();
}
