#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/XDriver.h"
#include "support/XvfbServer.h"

namespace nebulark::test {

// One private 24-bit Xvfb per test process, with DISPLAY pointing at it and a
// driver connection kept open for the life of the process. A connection lost
// to any server ends the test process with a failure.
class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    static XDriver& Driver();
    static const XvfbServer& Server();
};

// An Xlib error handler for a test's own connections: protocol errors fail
// the test instead of ending the process.
int FailOnXError(Display* display, XErrorEvent* error);

// Registers the environment; for the main of test programs that need a display.
void AddXvfbEnvironment();

}  // namespace nebulark::test
