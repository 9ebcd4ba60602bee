#include "support/XvfbEnvironment.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

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

// The program ends with status 0 when its server goes away; a test whose
// server went away has not passed, whatever it had checked by then.
int FailOnLostConnection(Display*) {
    std::fputs("The connection to the test's X server was lost: the test fails.\n", stderr);
    std::fflush(nullptr);
    _exit(1);
}

void XvfbEnvironment::SetUp() {
    server = new XvfbServer();
    ASSERT_TRUE(server->Start()) << "Xvfb did not start (is the xvfb package installed?)";
    setenv("DISPLAY", server->DisplayName().c_str(), 1);
    XSetErrorHandler(FailOnXError);
    XSetIOErrorHandler(FailOnLostConnection);
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
