// Forms on a real server: the window and its properties as the server holds
// them, creation and destruction, geometry, and the failure paths.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <unistd.h>

#include <cstdlib>

#include "WidgetKit.h"
#include "app/Application.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using test::Calls;
using test::ProbeControl;
using test::ProbeForm;
using test::TempDir;
using test::XDriver;
using test::XvfbEnvironment;

Display* Driver() {
    return XvfbEnvironment::Driver().Connection();
}

// Every window names the process and the machine it belongs to, as a window
// manager needs them to end a program that stops answering.
void ExpectOwnedByThisProcess(Window window) {
    const XDriver& driver = XvfbEnvironment::Driver();
    EXPECT_EQ(driver.Cardinals(window, "_NET_WM_PID"),
              std::vector<unsigned long>{static_cast<unsigned long>(getpid())});
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(driver.StringProperty(window, XA_WM_CLIENT_MACHINE), host);
}

TEST(FormWindow, AnnouncesAFixedSizeWindowWithTheCloseProtocol) {
    TempDir dir;
    AppScreen screen("forms");
    ProbeForm form;
    form.SetTitle("Titolo");
    ASSERT_TRUE(test::ShowOnScreen(form, screen, 30, 40, 320, 240));
    const XDriver& driver = XvfbEnvironment::Driver();
    const Window window = form.GetWindow();

    XSizeHints hints{};
    ASSERT_TRUE(driver.NormalHints(window, hints));
    EXPECT_EQ(hints.flags & (PPosition | PSize | PMinSize | PMaxSize),
              PPosition | PSize | PMinSize | PMaxSize);
    EXPECT_EQ(hints.min_width, 320);
    EXPECT_EQ(hints.max_width, 320);
    EXPECT_EQ(hints.min_height, 240);
    EXPECT_EQ(hints.max_height, 240);
    EXPECT_EQ(driver.ResourceName(window), "Nebulark.exe");
    EXPECT_EQ(driver.ResourceClass(window), "Nebulark.exe");
    EXPECT_EQ(driver.StringProperty(window, XA_WM_ICON_NAME), "Nebulark.exe");
    EXPECT_EQ(driver.StringProperty(window, XA_WM_NAME), "Titolo");
    EXPECT_EQ(driver.Protocols(window), std::vector<std::string>{"WM_DELETE_WINDOW"});
    EXPECT_TRUE(driver.AtomListProperty(window, "_NET_WM_WINDOW_TYPE").empty());
    ExpectOwnedByThisProcess(window);

    XWMHints* wmHints = XGetWMHints(Driver(), window);
    ASSERT_NE(wmHints, nullptr);
    EXPECT_TRUE(wmHints->input);
    EXPECT_EQ(wmHints->initial_state, NormalState);
    XFree(wmHints);
    XWindowAttributes attributes{};
    XGetWindowAttributes(Driver(), window, &attributes);
    const long mask = 0xAA07F | FocusChangeMask;
    EXPECT_EQ(attributes.all_event_masks & mask, mask);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(driver.PixelAt(window, 5, 5), 0xAAAAAA);

    form.SetTitle("Nuovo");
    XSync(screen.GetDisplay(), False);
    EXPECT_EQ(driver.StringProperty(window, XA_WM_NAME), "Nuovo");
    EXPECT_EQ(driver.StringProperty(window, XA_WM_ICON_NAME), "Nuovo");
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(FormWindow, ADialogIsAnnouncedAsOne) {
    AppScreen screen("forms");
    ProbeForm dialog("dialog", true);
    dialog.SetBackColor(0x000000);
    ASSERT_TRUE(test::ShowOnScreen(dialog, screen, 0, 0, 100, 80));
    EXPECT_EQ(XvfbEnvironment::Driver().AtomListProperty(dialog.GetWindow(), "_NET_WM_WINDOW_TYPE"),
              std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
    ExpectOwnedByThisProcess(dialog.GetWindow());
    EXPECT_EQ(XvfbEnvironment::Driver().PixelAt(dialog.GetWindow(), 50, 40), 0x000000);
}

bool paintSuppressedAtLoad = false;
uint64_t loadData = 0;
int loadCount = 0;

void noteLoad(GUIElement*, uint64_t data) {
    paintSuppressedAtLoad = Form::PaintSuppressed();
    loadData = data;
    ++loadCount;
}

TEST(FormWindow, CreationLoadsOnceAndARecreatedWindowDoesNotLoadAgain) {
    AppScreen screen("forms");
    ProbeForm form;
    form.setOnLoad(noteLoad);
    form.SetScreen(&screen);
    form.Create();
    EXPECT_EQ(loadCount, 1);
    EXPECT_TRUE(paintSuppressedAtLoad);
    EXPECT_FALSE(Form::PaintSuppressed());
    EXPECT_EQ(loadData, form.GetId());
    EXPECT_TRUE(form.IsCreated());
    EXPECT_TRUE(form.IsVisible());
    const Window first = form.GetWindow();
    form.Create();
    EXPECT_EQ(form.GetWindow(), first);

    ProbeControl control(&form, "c", 0, 0, 10, 10);
    Application::SetFocusedElement(&control);
    form.DestroyWindow();
    EXPECT_FALSE(form.IsCreated());
    EXPECT_EQ(form.GetWindow(), 0u);
    EXPECT_EQ(Application::FocusedElement(), nullptr);
    form.DestroyWindow();

    form.Create();
    EXPECT_NE(form.GetWindow(), 0u);
    EXPECT_NE(form.GetWindow(), first);
    EXPECT_EQ(loadCount, 1);
}

TEST(FormWindow, GeometryIsAskedOfAndLearntFromTheServer) {
    AppScreen screen("forms");
    ProbeForm form;
    form.SetSize(300, 200);
    form.CenterOnScreen();
    EXPECT_EQ(form.GetPosition().x, (1024 - 300) / 2);
    EXPECT_EQ(form.GetPosition().y, (768 - 200) / 2);
    ASSERT_TRUE(test::ShowOnScreen(form, screen, 362, 284, 300, 200));
    // The origin of the window's inside lies within its one-pixel border.
    EXPECT_EQ(form.GetPosition().x, 363);
    EXPECT_EQ(form.GetPosition().y, 285);
    EXPECT_EQ(form.GetClientWidth(), 300);
    EXPECT_EQ(form.GetClientHeight(), 200);

    form.FitClientSize(400, 300);
    XSync(screen.GetDisplay(), False);
    Window root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(Driver(), form.GetWindow(), &root, &x, &y, &w, &h, &border, &depth);
    EXPECT_EQ(w, 400u);
    EXPECT_EQ(h, 300u);
    EXPECT_EQ(x, 363);  // without a frame there is nothing to make room for

    test::Drain(screen.GetDisplay());
    Calls().clear();
    XResizeWindow(Driver(), form.GetWindow(), 420, 310);
    XSync(Driver(), False);
    ASSERT_TRUE(test::PumpUntil(screen.GetDisplay(), [&form] { return form.GetWidth() == 420; }));
    EXPECT_EQ(form.GetHeight(), 310);
    EXPECT_EQ(Calls(), std::vector<std::string>{"form.OnResize"});
    XMoveWindow(Driver(), form.GetWindow(), 10, 20);
    XSync(Driver(), False);
    ASSERT_TRUE(test::PumpUntil(screen.GetDisplay(),
                                [&form] { return form.GUIElement::GetPosition().x == 10; }));
    EXPECT_EQ(form.GUIElement::GetPosition().y, 20);
    EXPECT_EQ(Calls(), std::vector<std::string>{"form.OnResize"});
}

TEST(FormWindow, WithoutADisplayNothingIsCreatedAndNothingBreaks) {
    TempDir dir;
    ProbeForm form;
    form.Create();
    EXPECT_FALSE(form.IsCreated());
    EXPECT_EQ(form.GetClientWidth(), 100);
    form.CenterOnScreen();  // no screen at all: the size of none is 0
    EXPECT_EQ(form.GetPosition().x, 0);
    form.Show();
    form.Focus();
    form.SetTitle("t");
    form.FitClientSize(10, 10);
    form.DestroyWindow();

    unsetenv("DISPLAY");
    AppScreen unopened("none");
    form.SetScreen(&unopened);
    form.Create();
    EXPECT_FALSE(form.IsCreated());

    DrawingSurface surface(&form);
    surface.FillRect(0, 0, 10, 10, 1, 0xFF0000, 0x00FF00);
    surface.DrawText(0, 0, 100, 20, "testo", 0xFFFFFF, 0, 0, true);
    EXPECT_EQ(surface.GetPixel(1, 1), -1);
    EXPECT_EQ(surface.CaptureArea(0, 0, 5, 5), nullptr);
    EXPECT_EQ(surface.LineHeight(), 0);

    Application::Run(&form);
    EXPECT_TRUE(form.IsClosed());
    EXPECT_EQ(TempDir::Read("log.txt"),
              "E' necessario impostare il display\n"
              "E' necessario impostare il display\n"  // Show tries to create it too
              "XOpenDisplay(0) failed.\n"
              "E' necessario impostare il display\n"
              "Errore nella creazione del GC\n"
              "Application::Run - nessun display\n");
}

}  // namespace
}  // namespace nebulark
