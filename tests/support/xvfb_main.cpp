#include <gtest/gtest.h>

#include "support/XvfbEnvironment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    nebulark::test::AddXvfbEnvironment();
    return RUN_ALL_TESTS();
}
