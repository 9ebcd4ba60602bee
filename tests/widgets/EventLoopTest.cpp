// The event loop on a real server, driven through XTEST.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <pthread.h>
#include <sys/time.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <memory>
#include <thread>

#include "WidgetKit.h"
#include "app/Application.h"
#include "support/EventStream.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "util/MillisecondCounter.h"
#include "widgets/Timer.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using Strings = std::vector<std::string>;
using test::Calls;
using test::ProbeControl;
using test::ProbeForm;
using test::TempDir;
using test::XDriver;
using test::XvfbEnvironment;

bool Recorded(const std::string& call) {
    return std::find(Calls().begin(), Calls().end(), call) != Calls().end();
}

// The calls without pointer motion, which moving the pointer adds anywhere.
Strings WithoutMotion() {
    Strings calls;
    for (const std::string& call : Calls())
        if (call.find("OnMouseMove") == std::string::npos) calls.push_back(call);
    return calls;
}

Strings Containing(const std::string& part) {
    Strings calls;
    for (const std::string& call : Calls())
        if (call.find(part) != std::string::npos) calls.push_back(call);
    return calls;
}

class EventLoop : public ::testing::Test {
protected:
    TempDir dir;
    XDriver& driver = XvfbEnvironment::Driver();
    AppScreen screen{"loop"};
    ProbeForm form;

    void SetUp() override {
        ASSERT_TRUE(test::ShowOnScreen(form, screen, 0, 0, 300, 200));
        driver.Focus(form.GetWindow());
        test::Drain(Connection());
        Calls().clear();
    }
    Display* Connection() { return screen.GetDisplay(); }
    Window window() { return form.GetWindow(); }
    bool PumpFor(const std::string& call) {
        return test::PumpUntil(Connection(), [call] { return Recorded(call); });
    }
};

TEST_F(EventLoop, KeysReachTheFocusedControlAndThenTheForm) {
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    a.Show();
    Application::SetFocusedElement(&a);
    driver.KeyDown(XK_a);
    ASSERT_TRUE(PumpFor("form.OnKeyDown a"));
    EXPECT_TRUE(Application::IsKeyDown('a'));
    driver.KeyUp(XK_a);
    ASSERT_TRUE(PumpFor("form.OnKeyUp a"));
    EXPECT_FALSE(Application::IsKeyDown('a'));
    EXPECT_EQ(Calls(), (Strings{"a.OnKeyDown a", "form.OnKeyDown a", "a.OnKeyChar a", "a.OnKeyUp a",
                                "form.OnKeyChar a", "form.OnKeyUp a"}));
}

TEST_F(EventLoop, CursorKeysLeaveTheKeyTableAloneAndTypeNothing) {
    driver.KeyTap(XK_a);
    ASSERT_TRUE(PumpFor("form.OnKeyUp a"));
    driver.KeyDown(XK_b);
    ASSERT_TRUE(PumpFor("form.OnKeyDown b"));
    Calls().clear();
    const auto before = Application::KeyTable();

    driver.KeyDown(XK_Left);
    ASSERT_TRUE(PumpFor("form.OnKeyDown Left"));
    EXPECT_EQ(Application::KeyTable(), before);
    driver.KeyUp(XK_Left);
    ASSERT_TRUE(PumpFor("form.OnKeyUp Left"));
    EXPECT_EQ(Application::KeyTable(), before);
    EXPECT_TRUE(Application::IsKeyDown('b'));
    EXPECT_EQ(Calls(), (Strings{"form.OnKeyDown Left", "form.OnKeyUp Left"}));
    driver.KeyUp(XK_b);
    ASSERT_TRUE(PumpFor("form.OnKeyUp b"));
}

// Shift let go a moment before the letter, as in quick typing: the release
// reports what the press typed and clears the key-table entry the press set.
TEST_F(EventLoop, AReleasedKeyTypesWhatItsPressTyped) {
    driver.KeyDown(XK_Shift_L);
    driver.KeyDown(XK_t);
    ASSERT_TRUE(PumpFor("form.OnKeyDown T"));
    EXPECT_TRUE(Application::IsKeyDown('T'));
    driver.KeyUp(XK_Shift_L);
    driver.KeyUp(XK_t);
    ASSERT_TRUE(PumpFor("form.OnKeyUp T"));
    EXPECT_EQ(Containing("OnKeyChar"), Strings{"form.OnKeyChar T"});
    EXPECT_FALSE(Application::IsKeyDown('T'));
    EXPECT_FALSE(Application::IsKeyDown('t'));
}

// A key let go while the window does not take the keyboard is let go where
// the loop cannot hear it, so every key held when the keyboard leaves is
// forgotten. Where the focus went tells a player who left from a grab, or from
// a dialog of the program's own.
TEST_F(EventLoop, KeysHeldWhenTheWindowLosesTheKeyboardAreLetGo) {
    ProbeForm dialog("dialog");
    ASSERT_TRUE(test::ShowOnScreen(dialog, screen, 400, 0, 100, 100));
    Display* server = driver.Connection();
    const Window stranger =
        XCreateSimpleWindow(server, DefaultRootWindow(server), 600, 0, 50, 50, 0, 0, 0);
    XMapWindow(server, stranger);
    struct Case {
        const char* name;
        std::function<void()> take;
        bool away;
        bool mapped;
    };
    const Case cases[] = {
        {"a grab",
         [&] { XGrabKeyboard(server, stranger, False, GrabModeAsync, GrabModeAsync, CurrentTime); },
         false, true},
        {"the program's dialog", [&] { driver.Focus(dialog.GetWindow()); }, false, true},
        {"another program", [&] { driver.Focus(stranger); }, true, true},
        {"an unmapped window", [&] { form.Hide(); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        driver.Focus(window());
        driver.KeyDown(XK_a);
        ASSERT_TRUE(PumpFor("form.OnKeyDown a"));
        ASSERT_TRUE(Application::IsKeyDown('a'));
        c.take();
        driver.Sync();
        ASSERT_TRUE(PumpFor("form.OnKeyboardLost"));
        test::Drain(Connection());
        EXPECT_FALSE(Application::IsKeyDown('a'));
        if (c.mapped) {
            EXPECT_EQ(form.IsFocusAway(), c.away);
        }
        EXPECT_EQ(form.IsWindowMapped(), c.mapped);
        driver.KeyUp(XK_a);
        XUngrabKeyboard(server, CurrentTime);
        form.Reveal();
        ASSERT_TRUE(test::PumpUntil(Connection(), [this] { return form.IsWindowMapped(); }));
        driver.Focus(window());
        ASSERT_TRUE(test::PumpUntil(Connection(), [this] { return !form.IsFocusAway(); }));
        test::Drain(Connection());
        Calls().clear();
    }
    XDestroyWindow(server, stranger);
}

TEST_F(EventLoop, PressingOnEmptyAreaTakesTheFocusAway) {
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    a.Show();
    Application::SetFocusedElement(&a);
    driver.MoveTo(window(), 200, 150);
    driver.ButtonDown(1);
    ASSERT_TRUE(PumpFor("form.OnMouseDown 200,150"));
    EXPECT_EQ(WithoutMotion(), (Strings{"a.OnFocusOut", "form.OnMouseDown 200,150"}));
    EXPECT_EQ(Application::FocusedElement(), nullptr);
    driver.ButtonUp(1);
}

TEST_F(EventLoop, AClickOnAControlFocusesItAndReachesItFirst) {
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    a.Show();
    a.AgeLastMouseUp(5);
    driver.Click(window(), 20, 20);
    ASSERT_TRUE(PumpFor("form.OnMouseUp 20,20"));
    EXPECT_EQ(WithoutMotion(),
              (Strings{"a.OnFocusIn", "a.OnMouseDown 20,20", "form.OnMouseDown 20,20",
                       "a.OnMouseUp 20,20", "form.OnMouseUp 20,20"}));
    EXPECT_EQ(Application::FocusedElement(), &a);
}

TEST_F(EventLoop, DraggingFromOneControlToAnotherReleasesOnlyOnTheForm) {
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    ProbeControl b(&form, "b", 100, 10, 50, 20);
    a.Show();
    b.Show();
    driver.MoveTo(window(), 20, 20);
    driver.ButtonDown(1);
    driver.MoveTo(window(), 120, 20);
    driver.ButtonUp(1);
    ASSERT_TRUE(PumpFor("form.OnMouseUp 120,20"));
    EXPECT_EQ(WithoutMotion(),
              (Strings{"a.OnFocusIn", "a.OnMouseDown 20,20", "form.OnMouseDown 20,20",
                       "a.OnFocusOut", "form.OnMouseUp 120,20"}));
    EXPECT_EQ(Application::FocusedElement(), nullptr);

    // Pressed on empty area and released over a control that has no focus.
    Calls().clear();
    driver.MoveTo(window(), 200, 150);
    driver.ButtonDown(1);
    driver.MoveTo(window(), 20, 20);
    driver.ButtonUp(1);
    ASSERT_TRUE(PumpFor("form.OnMouseUp 20,20"));
    EXPECT_EQ(WithoutMotion(), (Strings{"form.OnMouseDown 200,150", "form.OnMouseUp 20,20"}));
}

TEST_F(EventLoop, TabFocusesTheNextFocusableChildAndWraps) {
    ProbeControl fixed(&form, "fixed", 0, 0, 10, 10);
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    ProbeControl b(&form, "b", 100, 10, 50, 20);
    fixed.SetCanFocus(false);
    for (ProbeControl* control : {&fixed, &a, &b})
        control->Show();

    Strings seen;
    const Strings expected[] = {
        {"a.OnFocusIn"},
        {"a.OnFocusIn", "a.OnFocusOut", "b.OnFocusIn"},
        {"a.OnFocusIn", "a.OnFocusOut", "b.OnFocusIn", "b.OnFocusOut", "a.OnFocusIn"}};
    for (const Strings& focusCalls : expected) {
        Calls().clear();
        driver.KeyTap(XK_Tab);
        ASSERT_TRUE(PumpFor("form.OnKeyUp Tab"));
        EXPECT_TRUE(Recorded("form.OnKeyChar \t"));
        const Strings focus = Containing("Focus");
        seen.insert(seen.end(), focus.begin(), focus.end());
        EXPECT_EQ(seen, focusCalls);
    }
    EXPECT_EQ(Application::FocusedElement(), &a);

    // A single focusable child loses and regains the focus.
    b.SetCanFocus(false);
    Calls().clear();
    driver.KeyTap(XK_Tab);
    ASSERT_TRUE(PumpFor("form.OnKeyUp Tab"));
    EXPECT_EQ(Containing("Focus"), (Strings{"a.OnFocusOut", "a.OnFocusIn"}));
}

TEST_F(EventLoop, WheelUpReachesTheFormAndWheelDownIsDropped) {
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    a.Show();
    driver.MoveTo(window(), 20, 20);
    for (unsigned button : {4u, 5u}) {
        driver.ButtonDown(button);
        driver.ButtonUp(button);
    }
    test::Drain(Connection());
    EXPECT_EQ(WithoutMotion(), (Strings{"form.OnAuxButtonDown 20,20", "form.OnAuxButtonUp 20,20"}));
}

TEST_F(EventLoop, OnlyAFocusedSliderFollowsThePointer) {
    ProbeControl slider(&form, "s", 10, 10, 50, 20, "slider");
    slider.Show();
    Application::SetFocusedElement(&slider);
    driver.MoveTo(window(), 150, 100);
    ASSERT_TRUE(PumpFor("form.OnMouseMove 150,100"));
    EXPECT_EQ(Calls(), (Strings{"s.OnMouseMove 150,100", "form.OnMouseMove 150,100"}));
}

TEST_F(EventLoop, ADisabledFormOnlyHearsOfButtons) {
    ProbeControl a(&form, "a", 10, 10, 50, 20);
    a.Show();
    form.SetEnabled(false);
    driver.KeyTap(XK_a);
    driver.Click(window(), 20, 20);
    test::Drain(Connection());
    EXPECT_EQ(Calls(), (Strings{"form.OnMouseDown 20,20", "form.OnMouseUp 20,20"}));
}

int fires = 0;
void countFire(Timer*) {
    ++fires;
}

// A pass that handles an event adds no timer time; quiet passes add whole
// 10 ms steps.
TEST_F(EventLoop, TimersAdvanceOnlyWhileTheLoopWaitsIdle) {
    Timer timer(&form, 10);
    timer.setOnElapsed(countFire);
    timer.Start();
    for (int i = 0; i < 30; ++i) {
        driver.MoveTo(window(), 10 + (i % 2) * 5, 10);
        Application::RunPass(Connection());
    }
    EXPECT_EQ(fires, 0);
    EXPECT_EQ(timer.GetElapsed(), 0);

    test::Drain(Connection());
    timer.Stop();
    fires = 0;
    Timer slow(&form, 25);
    slow.setOnElapsed(countFire);
    slow.Start();
    const int expected[] = {0, 0, 1, 1, 1, 2};
    for (int firesAfterPass : expected) {
        Application::RunPass(Connection());
        EXPECT_EQ(fires, firesAfterPass);
    }
}

// Input arriving more often than once a step (a mouse reports every 8 ms)
// must not starve the timers: the idle time between events still adds up.
TEST_F(EventLoop, TimersKeepTheirPaceUnderASteadyStreamOfEvents) {
    Timer timer(&form, 10);
    timer.setOnElapsed(countFire);
    fires = 0;
    timer.Start();
    const auto start = std::chrono::steady_clock::now();
    {
        test::EventStream stream(window(), test::EventStream::Kind::Messages,
                                 std::chrono::microseconds(4000));
        ASSERT_TRUE(stream.Ok());
        while (std::chrono::steady_clock::now() - start < std::chrono::seconds(1))
            Application::RunPass(Connection());
        EXPECT_GT(stream.Sent(), 200);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(fires / seconds, 80.0);
}

TEST_F(EventLoop, ATickMessageAdvancesTheMillisecondCounter) {
    MillisecondCounter::Set(990);
    driver.SendTick(window());
    ASSERT_TRUE(PumpFor("form.OnTick"));
    EXPECT_EQ(MillisecondCounter::Value(), 0);
}

TEST_F(EventLoop, WindowManagerCloseAsksTheMainFormAndClosesOthers) {
    ASSERT_EQ(Application::BeginRun(&form), Connection());
    driver.SendDeleteWindow(window());
    ASSERT_TRUE(PumpFor("form.OnCloseQuery"));
    test::Drain(Connection());
    EXPECT_TRUE(form.IsCreated());
    EXPECT_FALSE(Recorded("form.OnClosed"));

    ProbeForm other("other");
    ASSERT_TRUE(test::ShowOnScreen(other, screen, 400, 0, 100, 100));
    const Window otherWindow = other.GetWindow();
    other.allowClose = false;
    driver.SendDeleteWindow(otherWindow);
    ASSERT_TRUE(PumpFor("other.OnCloseQuery"));
    EXPECT_TRUE(other.IsCreated());

    other.allowClose = true;
    driver.SendDeleteWindow(otherWindow);
    ASSERT_TRUE(PumpFor("other.OnClosed"));
    XSync(Connection(), False);
    EXPECT_FALSE(other.IsCreated());
    EXPECT_EQ(other.GetWindow(), 0u);
    EXPECT_FALSE(test::WindowExists(driver.Connection(), otherWindow));
    EXPECT_TRUE(test::WindowExists(driver.Connection(), window()));
}

bool boxDeleted = false;

// A message box the loop deletes at its end, through the element base.
struct DoomedBox : ProbeForm {
    DoomedBox() : ProbeForm("box") {}
    ~DoomedBox() override { boxDeleted = true; }
};

TEST_F(EventLoop, RunEndsAfterTheEventThatRequestsQuit) {
    form.quitOnClose = true;
    Application::SetMessageBoxForm(new DoomedBox);
    driver.SendDeleteWindow(window());
    alarm(20);  // a loop that never ends fails here instead of hanging
    Application::Run(&form);
    alarm(0);
    EXPECT_TRUE(Application::QuitRequested());
    EXPECT_EQ(Calls(), (Strings{"form.OnCloseQuery", "form.OnClosed"}));
    EXPECT_FALSE(form.IsCreated());
    EXPECT_TRUE(boxDeleted);
    EXPECT_EQ(Application::MessageBoxForm(), nullptr);
}

std::unique_ptr<ProbeControl> doomed;

TEST_F(EventLoop, AControlDeletedByItsOwnCallbackIsNotCalledAgain) {
    doomed = std::make_unique<ProbeControl>(&form, "d", 10, 10, 50, 20);
    doomed->Show();
    doomed->setOnKeyChar([](GUIElement*, char) {
        doomed.reset();
        return true;
    });
    Application::SetFocusedElement(doomed.get());
    driver.KeyTap(XK_a);
    ASSERT_TRUE(PumpFor("form.OnKeyUp a"));
    EXPECT_EQ(Application::FocusedElement(), nullptr);
    EXPECT_EQ(Calls(), (Strings{"d.OnKeyDown a", "form.OnKeyDown a", "d.OnKeyChar a",
                                "form.OnKeyChar a", "form.OnKeyUp a"}));

    // Deleted while it handles the press that would give it the focus.
    doomed = std::make_unique<ProbeControl>(&form, "d", 10, 10, 50, 20);
    doomed->Show();
    doomed->setOnMouseDown([](GUIElement*, uint64_t, Point) { doomed.reset(); });
    driver.MoveTo(window(), 20, 20);
    driver.ButtonDown(1);
    ASSERT_TRUE(PumpFor("form.OnMouseDown 20,20"));
    EXPECT_EQ(Application::FocusedElement(), nullptr);
    driver.ButtonUp(1);
    driver.KeyTap(XK_b);
    ASSERT_TRUE(PumpFor("form.OnKeyUp b"));
}

std::atomic<bool> interrupted{false};

// A signal that cuts the idle wait short (a sound child ending, say) must not
// leave the loop blocked in XNextEvent while timers are registered.
TEST_F(EventLoop, AnInterruptedIdleWaitDoesNotBlockTheTimers) {
    Timer timer(&form, 50);
    timer.Start();
    struct sigaction action {};
    action.sa_handler = [](int) { interrupted = true; };
    sigaction(SIGALRM, &action, nullptr);
    // Only this thread may take the signal, so the watchdog starts with it
    // blocked.
    sigset_t alarmOnly;
    sigemptyset(&alarmOnly);
    sigaddset(&alarmOnly, SIGALRM);
    pthread_sigmask(SIG_BLOCK, &alarmOnly, nullptr);
    std::atomic<bool> passed{false};
    std::thread watchdog([&passed] {
        for (int i = 0; i < 500 && !passed; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!passed) std::_Exit(3);
    });
    pthread_sigmask(SIG_UNBLOCK, &alarmOnly, nullptr);
    itimerval shot{};
    shot.it_value.tv_usec = 5000;
    setitimer(ITIMER_REAL, &shot, nullptr);
    Application::RunPass(Connection());
    passed = true;
    watchdog.join();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(timer.GetElapsed(), 0);
    Application::RunPass(Connection());
    EXPECT_EQ(timer.GetElapsed(), 10);
}

}  // namespace
}  // namespace nebulark
