#include "support/XvfbEnvironment.h"

#include <cstdio>
#include <cstdlib>

namespace nebulark::test {

namespace {

XvfbServer* server = nullptr;
XDriver* driver = nullptr;

}  // namespace

int FailOnXError(Display* display, XErrorEvent* error) {
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    ADD_FAILURE() << "X protocol error: " << text << " (request " << int(error->request_code)
                  << ")";
    return 0;
}

void XvfbEnvironment::SetUp() {
    server = new XvfbServer();
    ASSERT_TRUE(server->Start()) << "Xvfb did not start (is the xvfb package installed?)";
    setenv("DISPLAY", server->DisplayName().c_str(), 1);
    XSetErrorHandler(FailOnXError);
    driver = new XDriver();
    ASSERT_TRUE(driver->Ok()) << "cannot connect to " << server->DisplayName();
}

void XvfbEnvironment::TearDown() {
    delete driver;
    driver = nullptr;
    delete server;
    server = nullptr;
}

XDriver& XvfbEnvironment::Driver() {
    return *driver;
}

const XvfbServer& XvfbEnvironment::Server() {
    return *server;
}

void AddXvfbEnvironment() {
    ::testing::AddGlobalTestEnvironment(new XvfbEnvironment());
}

}  // namespace nebulark::test
