// The element base, the registry and the timers, without a display.
#include <gtest/gtest.h>

#include <memory>

#include "WidgetKit.h"
#include "app/Application.h"
#include "support/TempDir.h"
#include "util/MillisecondCounter.h"
#include "widgets/Timer.h"

namespace nebulark {
namespace {

using test::Calls;
using test::ProbeControl;
using test::ProbeForm;
using test::TempDir;

TEST(Element, HitTestIncludesTheFarEdgesOfAShownElementOnly) {
    ProbeForm form;
    ProbeControl control(&form, "c", 10, 20, 30, 40);
    EXPECT_FALSE(control.HitTest(Point{10, 20}));  // not created
    control.Show();
    EXPECT_TRUE(control.HitTest(Point{10, 20}));
    EXPECT_TRUE(control.HitTest(Point{40, 60}));
    EXPECT_FALSE(control.HitTest(Point{41, 60}));
    EXPECT_FALSE(control.HitTest(Point{40, 61}));
    EXPECT_FALSE(control.HitTest(Point{9, 30}));
    control.Hide();
    EXPECT_FALSE(control.HitTest(Point{20, 30}));
}

TEST(Element, GeometryChangesReachTheWindowSystemOnlyWhenNeeded) {
    ProbeForm form;
    ProbeControl control(&form, "c", 0, 0, 30, 40);
    control.SetSize(50, 60);
    EXPECT_EQ(control.applySizeCalls, 0);  // not created: stored only
    EXPECT_EQ(control.GetSize().width, 50);
    control.Show();
    control.SetSize(50, 60);
    EXPECT_EQ(control.applySizeCalls, 0);  // unchanged
    control.SetSize(51, 60);
    EXPECT_EQ(control.applySizeCalls, 1);

    control.MoveTo(-5, 7);
    EXPECT_EQ(control.GetPosition().x, 0);
    EXPECT_EQ(control.GetPosition().y, 7);
}

bool refuse(GUIElement*) {
    return false;
}

bool refuseChar(GUIElement*, char) {
    return false;
}

TEST(Element, QueriesAnswerTrueUnlessACallbackSaysOtherwise) {
    ProbeForm form;
    ProbeControl control(&form, "c", 0, 0, 10, 10);
    EXPECT_TRUE(control.OnKeyChar('x'));
    EXPECT_TRUE(form.GUIElement::OnCloseQuery());
    control.setOnKeyChar(refuseChar);
    form.setOnCloseQuery(refuse);
    EXPECT_FALSE(control.OnKeyChar('x'));
    EXPECT_FALSE(form.GUIElement::OnCloseQuery());
}

void recordFocusOut(GUIElement*) {
    Calls().push_back("callback.onFocusOut");
}

void recordValueChanged(GUIElement*) {
    Calls().push_back("callback.onValueChanged");
}

TEST(Element, ValueChangeIsReportedAfterFocusOutOnlyWhenTheValueChanged) {
    ProbeForm form;
    ProbeControl control(&form, "c", 0, 0, 10, 10);
    control.setOnFocusOut(recordFocusOut);
    control.setOnValueChanged(recordValueChanged);
    control.SetCaption("one");
    control.GUIElement::OnFocusIn();
    control.GUIElement::OnFocusOut();
    EXPECT_EQ(Calls(), std::vector<std::string>{"callback.onFocusOut"});

    Calls().clear();
    control.GUIElement::OnFocusIn();
    control.SetCaption("one!");
    control.GUIElement::OnFocusOut();
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"callback.onFocusOut", "callback.onValueChanged"}));
}

uint64_t loadedWith = 0;
int loads = 0;

void countLoad(GUIElement*, uint64_t data) {
    loadedWith = data;
    ++loads;
}

TEST(Element, OnLoadCallsBackOnceWithTheUserDataAlreadySet) {
    ProbeForm form;
    ProbeControl control(&form, "c", 0, 0, 10, 10);
    control.setOnLoad(countLoad);
    control.GetUserDataRef() = 3;
    control.OnLoad(7);
    control.OnLoad(8);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(loadedWith, 3u);
}

TEST(Element, BlockedAndActiveExcludeEachOther) {
    ProbeForm form;
    ProbeControl control(&form, "c", 0, 0, 10, 10);
    control.SetActive(true);
    control.SetBlocked(true);
    EXPECT_FALSE(control.IsActive());
    EXPECT_TRUE(control.IsBlocked());
    control.SetBlocked(false);
    EXPECT_FALSE(control.IsActive());
    EXPECT_FALSE(control.IsBlocked());
    control.SetActive(true);
    EXPECT_TRUE(control.IsActive());
}

TEST(Element, MouseUpsWithinOneSecondMakeADoubleClick) {
    ProbeForm form;
    ProbeControl control(&form, "c", 0, 0, 10, 10);
    control.AgeLastMouseUp(5);
    control.GUIElement::OnMouseUp(Point{1, 2});
    control.GUIElement::OnMouseUp(Point{3, 4});
    EXPECT_EQ(Calls(), std::vector<std::string>{"c.OnDoubleClick 3,4"});
}

TEST(Registry, IdsFollowCreationAndDestructorsLeaveTheLists) {
    ProbeForm form;
    auto first = std::make_unique<ProbeControl>(&form, "a", 0, 0, 10, 10);
    ProbeControl second(&form, "b", 0, 0, 10, 10);
    EXPECT_EQ(first->GetId(), 0u);
    second.Show();
    first->Show();
    EXPECT_EQ(second.GetId(), 1u);
    EXPECT_EQ(first->GetId(), 2u);
    EXPECT_EQ(first->GetUserDataRef(), 2u);
    EXPECT_EQ(Application::FindElementById(2), first.get());

    Application::SetFocusedElement(first.get());
    first.reset();
    EXPECT_EQ(Application::FindElementById(2), nullptr);
    EXPECT_EQ(Application::FocusedElement(), nullptr);
    EXPECT_EQ(Application::Elements().size(), 2u);
    EXPECT_EQ(Application::Forms().size(), 1u);
}

TEST(Registry, RemovingAnUnknownElementIsLoggedAndHarmless) {
    TempDir dir;
    ProbeForm form;
    Timer timer(&form, 10);
    ProbeControl control(&form, "c", 0, 0, 10, 10);
    control.Show();
    Application::Unregister(&timer);
    Application::Unregister(&timer);
    Application::Unregister(&form);
    Application::Unregister(&form);
    Application::Unregister(&control);
    Application::Unregister(&control);
    EXPECT_TRUE(Application::Elements().empty());
    EXPECT_EQ(TempDir::Read("log.txt"),
              " NON TROVATO! Application::RemoveWindow = timer lx 0 id 0\n"
              " NON TROVATO! Application::RemoveWinForm = timer size 2 id 0\n"
              " NON TROVATO! Application::RemoveWindow = form lx 0 id 0\n"
              " NON TROVATO! Application::RemoveWinForm = form size 1 id 0\n"
              " NON TROVATO! Application::RemoveWinForm = probe size 0 id 1\n");
}

// form
//   a            (10, 10, 20, 20)
//   panel        at (100, 50)
//     inner      (5, 5, 20, 20) inside the panel
//   b            (10, 10, 20, 20), behind a
//   hidden       (200, 200, 20, 20)
struct Layout {
    ProbeForm form;
    ProbeControl a{&form, "a", 10, 10, 20, 20};
    ProbeControl panel{&form, "panel", 100, 50, 60, 60, "panel"};
    ProbeControl inner{&panel, "inner", 5, 5, 20, 20};
    ProbeControl b{&form, "b", 10, 10, 20, 20};
    ProbeControl hidden{&form, "hidden", 200, 200, 20, 20};
    Layout() {
        form.AssignId();
        for (ProbeControl* control : {&a, &panel, &inner, &b, &hidden})
            control->Show();
        hidden.Hide();
    }
};

TEST(Registry, ChildrenOfAPanelFollowThePanel) {
    Layout layout;
    const std::vector<GUIElement*> expected{&layout.a, &layout.panel, &layout.inner, &layout.b,
                                            &layout.hidden};
    EXPECT_EQ(Application::CollectChildren(layout.form.GetId()), expected);
}

TEST(Registry, HitTestingSearchesPanelsAndTakesTheFirstHitInOrder) {
    Layout layout;
    const uint32_t form = layout.form.GetId();
    EXPECT_EQ(Application::FindElementAt(form, Point{15, 15}), &layout.a);
    EXPECT_EQ(Application::FindElementAt(form, Point{110, 60}), &layout.inner);
    EXPECT_EQ(Application::FindElementAt(form, Point{150, 100}), nullptr);  // panel only
    EXPECT_EQ(Application::FindElementAt(form, Point{205, 205}), nullptr);  // hidden
    layout.a.SetEnabled(false);
    EXPECT_EQ(Application::FindElementAt(form, Point{15, 15}), &layout.b);
}

TEST(Registry, ElementsFindTheirFormThroughPanels) {
    Layout layout;
    EXPECT_EQ(layout.inner.OwningForm(), &layout.form);
    EXPECT_EQ(Application::OwningForm(&layout.form), &layout.form);
    const Point absolute = layout.inner.AbsolutePosition(5, 5);
    EXPECT_EQ(absolute.x, 105);
    EXPECT_EQ(absolute.y, 55);
    ProbeControl orphan(nullptr, "orphan", 0, 0, 1, 1);
    EXPECT_EQ(orphan.OwningForm(), nullptr);
}

TEST(Registry, ContentsLeaveTheRegistryWithTheirMenus) {
    Layout layout;
    ProbeControl bar(&layout.form, "bar", 0, 0, 100, 10, "menubar");
    ProbeControl menu(&bar, "menu", 0, 0, 10, 10, "menu");
    ProbeControl item(&menu, "item", 0, 0, 10, 10);
    for (ProbeControl* control : {&bar, &menu, &item})
        control->Show();
    Application::UnregisterContents(layout.form.GetId());
    EXPECT_EQ(Application::Elements(), std::vector<GUIElement*>{&layout.form});
    for (ProbeControl* control :
         {&layout.a, &layout.panel, &layout.inner, &layout.b, &layout.hidden, &bar, &menu, &item})
        Application::Register(control);  // so that their destructors find them
}

TEST(Registry, KeyTableAnswersOnlyForByteCodes) {
    Application::KeyTable()['a'] = 1;
    EXPECT_TRUE(Application::IsKeyDown('a'));
    EXPECT_FALSE(Application::IsKeyDown('b'));
    EXPECT_FALSE(Application::IsKeyDown(300));
    EXPECT_FALSE(Application::IsKeyDown(-1));
}

int fires = 0;
void countFire(Timer*) {
    ++fires;
}

TEST(TimerTest, IntervalsAreUsedUpInWholeIdleSteps) {
    ProbeForm form;
    Timer every(&form, 10), third(&form, 25), zero(&form, 0), silent(&form, 10);
    every.setOnElapsed(countFire);
    third.setOnElapsed([](Timer*) { Calls().push_back("third"); });
    zero.setOnElapsed([](Timer*) { Calls().push_back("zero"); });
    for (Timer* timer : {&every, &third, &zero, &silent})
        timer->Start();
    for (int pass = 0; pass < 6; ++pass)
        Application::AdvanceTimers(10);
    EXPECT_EQ(fires, 6);
    int thirds = 0, zeros = 0;
    for (const std::string& call : Calls()) {
        thirds += call == "third";
        zeros += call == "zero";
    }
    EXPECT_EQ(thirds, 2);
    EXPECT_EQ(zeros, 6);
    EXPECT_EQ(silent.GetElapsed(), 0);

    Application::AdvanceTimers(10);
    third.Stop();
    Application::AdvanceTimers(10);  // stopped: not counted
    EXPECT_EQ(third.GetElapsed(), 10);
    third.Start();
    Application::AdvanceTimers(10);
    EXPECT_EQ(third.GetElapsed(), 20);  // the partial count survived Stop and Start
}

// A callback that deletes the timer after it and creates a new one: the pass
// must skip the deleted timer and not visit the new one.
std::unique_ptr<Timer> victim;
std::unique_ptr<Timer> newcomer;
ProbeForm* owner = nullptr;

void reshuffle(Timer*) {
    victim.reset();
    newcomer = std::make_unique<Timer>(owner, 10);
    newcomer->setOnElapsed([](Timer*) { Calls().push_back("newcomer"); });
    newcomer->Start();
}

TEST(TimerTest, ACallbackMayAddAndRemoveTimersDuringAPass) {
    ProbeForm form;
    owner = &form;
    Timer first(&form, 10);
    first.setOnElapsed(reshuffle);
    first.Start();
    victim = std::make_unique<Timer>(&form, 10);
    victim->setOnElapsed([](Timer*) { Calls().push_back("victim"); });
    victim->Start();
    Application::AdvanceTimers(10);
    EXPECT_TRUE(Calls().empty());
    first.Stop();
    Application::AdvanceTimers(10);
    EXPECT_EQ(Calls(), std::vector<std::string>{"newcomer"});
    newcomer.reset();
    EXPECT_EQ(Application::Timers(), std::vector<GUIElement*>{&first});
}

TEST(TimerTest, SetIntervalKeepsTheCountAndTheRunningState) {
    ProbeForm form;
    Timer timer(&form, 50);
    timer.Start();
    Application::AdvanceTimers(10);
    timer.SetInterval(20);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(timer.GetElapsed(), 10);
    EXPECT_TRUE(timer.Advance(10));
    EXPECT_EQ(timer.GetElapsed(), 0);
    EXPECT_NE(timer.GetId(), 0u);
    EXPECT_EQ(timer.GetUserDataRef(), 0u);  // a timer's creation leaves userData alone
}

}  // namespace
}  // namespace nebulark
