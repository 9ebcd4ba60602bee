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
    ASSERT_TRUE(server->Start(24, settings.width, settings.height))
        << "Xvfb did not start (is the xvfb package installed?)";
    setenv("DISPLAY", server->DisplayName().c_str(), 1);
    XSetErrorHandler(FailOnXError);
    XSetIOErrorHandler(FailOnLostConnection);
    driver = new XDriver();
    ASSERT_TRUE(driver->Ok()) << "cannot connect to " << server->DisplayName();
    // The driver's connection keeps the server from resetting, which would
    // drop the resources again.
    if (!settings.resources.empty()) {
        ASSERT_TRUE(LoadResources(settings.resources))
            << "xrdb could not load the resources (is x11-xserver-utils installed?)";
    }
}

bool LoadResources(const std::string& resources) {
    FILE* xrdb = popen("xrdb -nocpp -load -", "w");
    if (xrdb == nullptr) return false;
    const bool written = std::fputs(resources.c_str(), xrdb) >= 0;
    return pclose(xrdb) == 0 && written;
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

void AddXvfbEnvironment(const XvfbSettings& settings) {
    ::testing::AddGlobalTestEnvironment(new XvfbEnvironment(settings));
}

}  // namespace nebulark::test
