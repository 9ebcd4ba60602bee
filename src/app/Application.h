#pragma once

#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <vector>

#include "widgets/Geometry.h"

namespace nebulark {

class Form;
class GUIElement;

// The process-wide registry of every element with the X event loop that serves
// them. The lists only refer to elements: their owners create and delete them,
// and elements enter and leave the lists themselves.
namespace Application {

// Registration.
void Register(GUIElement* element);
// These two append only elements of type "form" and "timer" respectively.
void RegisterForm(GUIElement* element);
void RegisterTimer(GUIElement* element);
// Removes the element from every list it belongs to; a missing entry is
// logged and changes nothing. An element that held the focus loses it.
void Unregister(GUIElement* element);
// Unregisters (does not delete) everything CollectChildren yields for the
// container, including the contents of the menus of a menu bar.
void UnregisterContents(uint32_t containerId);
// Ids start at 1 and are never reused.
uint32_t NextElementId();

const std::vector<GUIElement*>& Elements();
const std::vector<GUIElement*>& Forms();
const std::vector<GUIElement*>& Timers();
bool IsRegistered(const GUIElement* element);

// Lookups; each scans its list in order and answers the first match.
Form* FindFormByWindow(Window window);
GUIElement* FindElementById(uint32_t id);
// The children of a container in registry order, each panel followed by its
// own children.
std::vector<GUIElement*> CollectChildren(uint32_t containerId);
// The first enabled, visible control of the container hit by the point,
// searching into panels; never a panel itself.
GUIElement* FindElementAt(uint32_t containerId, Point point);
// The element itself when it is a form, else its nearest form ancestor.
Form* OwningForm(GUIElement* element);

// The single keyboard focus of the process.
GUIElement* FocusedElement();
void SetFocusedElement(GUIElement* element);
void ClearFocus();

// Entry c is 1 while a key typing character c is held.
std::array<uint8_t, 256>& KeyTable();
bool IsKeyDown(int code);

// Once requested, the loop ends after the event being handled.
bool QuitRequested();
void RequestQuit();

// The shared message-box form, allocated with new; when the loop ends it
// destroys the box's window and deletes it.
void SetMessageBoxForm(Form* form);
Form* MessageBoxForm();
// Deletes the element at the next pass of the loop, or when the loop ends,
// for an element that may still be running one of its own operations further
// up the stack (a dialog replaced from inside its own close). Handing over the
// same element twice deletes it once.
void DeleteLater(GUIElement* element);
// Deletes what DeleteLater was given; RunPass and EndRun call it.
void DeletePending();

// The event loop: returns once quit has been requested.
void Run(Form* mainForm);
// The pieces Run is made of. BeginRun answers the main form's connection, or
// null when it has none; RunPass waits for and handles at most one event.
Display* BeginRun(Form* mainForm);
void RunPass(Display* display);
void DispatchEvent(XEvent& event);
void EndRun(Form* mainForm);

// select() on one descriptor: positive when readable, 0 on time-out, -1 on
// error.
int WaitForInput(int descriptor, int ms);
// Advances every running timer by `step` ms and fires those that come due.
void AdvanceTimers(int step);
void DestroyFormWindows();

}  // namespace Application

}  // namespace nebulark
