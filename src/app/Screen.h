#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>

namespace nebulark {

// The program's single connection to the X server.
class Screen {
public:
    // Opens the connection named by the environment; failures are logged and
    // leave a usable object whose display is null.
    explicit Screen(const char* title);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // False when no connection is open.
    bool Close();

    Display* GetDisplay() const { return display; }
    int GetScreenNumber() const { return screenNumber; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetDepth() const { return depth; }
    int GetOpenFailed() const { return openFailed; }
    XVisualInfo* GetVisualInfo() const { return visualInfo; }
    const char* GetTitle() const { return title; }

    // The scale every form is shown at (see DisplayScale.h): the one asked
    // for when the connection opened until SettleScale has fixed it.
    int GetScale() const { return scale; }
    // Fixes the scale, on the first call only, at the largest up to the one
    // asked for at which a form of width × height fits the screen; the first
    // form to be placed or made is the program's main form. Answers the scale.
    int SettleScale(int formWidth, int formHeight);

    // Tells the server the user is there, as input would: the screen saver
    // starts its wait again.
    void ResetScreenSaver();

    // When the connection to the server is lost, Xlib cannot go on and would
    // end the process with status 1. The program logs "Connessione con il
    // server X perduta", runs the action (the steps of its shutdown that need
    // no connection) and ends with status 0 instead. Null runs no action.
    static void SetConnectionLostAction(void (*action)());

    // The next request on the connection may fail with the error code for a
    // reason the client cannot know beforehand, such as setting the focus on
    // a window the window manager has just unmapped; that failure is not
    // logged. Any other error of that request, and of every other one, is.
    static void ExpectErrorOfNextRequest(Display* display, unsigned char errorCode);

    // Queries on the first Screen ever constructed.
    static Screen* Current();
    static int ScreenWidth();
    static int ScreenHeight();
    // Root coordinates of the pointer, x in the low and y in the high 32 bits.
    static uint64_t PointerPosition();

    int screenNumber = 0;
    Display* display = nullptr;
    XVisualInfo* visualInfo = nullptr;
    const char* title = nullptr;
    int openFailed = 0;
    int width = 800;
    int height = 600;
    int depth = 8;

private:
    int scale = 1;
    bool scaleSettled = false;

    void Open();
    void ReadScale();
    // Frees the visual list and closes the connection; the children forked
    // afterwards no longer need to close its descriptor.
    void CloseConnection();
};

}  // namespace nebulark
