#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/XDriver.h"
#include "support/XvfbServer.h"

namespace nebulark::test {

// The private server's screen, and the resources loaded into it with xrdb
// before the test connects, as a desktop session loads its own (such as
// "Xft.dpi: 192" for a desktop at 200 %).
struct XvfbSettings {
    int width = 1024;
    int height = 768;
    std::string resources;
};

// One private 24-bit Xvfb per test process, with DISPLAY pointing at it and a
// driver connection kept open for the life of the process. A connection lost
// to any server ends the test process with a failure.
class XvfbEnvironment : public ::testing::Environment {
public:
    explicit XvfbEnvironment(XvfbSettings settings = {}) : settings(std::move(settings)) {}
    void SetUp() override;
    void TearDown() override;

    static XDriver& Driver();
    static const XvfbServer& Server();

private:
    XvfbSettings settings;
};

// An Xlib error handler for a test's own connections: protocol errors fail
// the test instead of ending the process.
int FailOnXError(Display* display, XErrorEvent* error);

// Loads X resources into the server of DISPLAY with xrdb, replacing those
// it held; false when xrdb could not (is x11-xserver-utils installed?).
bool LoadResources(const std::string& resources);

// Registers the environment; for the main of test programs that need a display.
void AddXvfbEnvironment(const XvfbSettings& settings = {});

}  // namespace nebulark::test
