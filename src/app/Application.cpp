#include "app/Application.h"

#include <algorithm>
#include <string>

#include "app/ApplicationState.h"
#include "util/Log.h"
#include "widgets/Form.h"
#include "widgets/GUIElement.h"

namespace nebulark {

// Elements may outlive static destruction (a form held by a static object),
// so the state is never destroyed.
ApplicationState& State() {
    static ApplicationState& state = *new ApplicationState();
    return state;
}

namespace Application {

namespace {

bool Contains(const std::vector<GUIElement*>& list, const GUIElement* element) {
    return std::find(list.begin(), list.end(), element) != list.end();
}

// Erases the first entry equal to the element, keeping the order of the rest.
bool Erase(std::vector<GUIElement*>& list, const GUIElement* element) {
    const auto found = std::find(list.begin(), list.end(), element);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

void RemoveWindow(std::vector<GUIElement*>& list, GUIElement* element) {
    if (Erase(list, element)) return;
    LogMessage(" NON TROVATO! Application::RemoveWindow = " + element->GetTypeName() + " lx " +
               std::to_string(list.size()) + " id " + std::to_string(element->GetId()));
}

void RemoveWinForm(GUIElement* element) {
    std::vector<GUIElement*>& list = State().elements;
    if (Erase(list, element)) return;
    LogMessage(" NON TROVATO! Application::RemoveWinForm = " + element->GetTypeName() + " size " +
               std::to_string(list.size()) + " id " + std::to_string(element->GetId()));
}

bool IsChildOf(const GUIElement* element, uint32_t containerId) {
    return element->IsChild() && element->GetParent() != nullptr &&
           element->GetParent()->GetId() == containerId;
}

// A panel is searched into only under an id of its own, so that elements that
// were never created (id 0) cannot make the search go round in circles.
bool CanSearchInto(const GUIElement* panel, uint32_t containerId) {
    return panel->IsType("panel") && panel->GetId() != 0 && panel->GetId() != containerId;
}

bool Qualifies(const GUIElement* element, uint32_t containerId) {
    return IsChildOf(element, containerId) && element->IsCreated() && element->IsVisible() &&
           element->IsEnabled();
}

void UnregisterMenus(GUIElement* menuBar) {
    for (GUIElement* menu : CollectChildren(menuBar->GetId())) {
        if (!menu->IsType("menu")) continue;
        for (GUIElement* item : CollectChildren(menu->GetId()))
            Unregister(item);
        Unregister(menu);
    }
}

}  // namespace

void Register(GUIElement* element) {
    State().elements.push_back(element);
}

void RegisterForm(GUIElement* element) {
    if (element->IsType("form")) State().forms.push_back(element);
}

void RegisterTimer(GUIElement* element) {
    if (element->IsType("timer")) State().timers.push_back(element);
}

// Dropping the focus here keeps the loop from calling into an element that
// its owner is about to delete.
void Unregister(GUIElement* element) {
    if (element == nullptr) return;
    if (element->IsType("form")) RemoveWindow(State().forms, element);
    if (element->IsType("timer")) RemoveWindow(State().timers, element);
    RemoveWinForm(element);
    if (State().focusedElement == element) State().focusedElement = nullptr;
}

void UnregisterContents(uint32_t containerId) {
    for (GUIElement* element : CollectChildren(containerId)) {
        if (element->IsType("menubar")) UnregisterMenus(element);
        Unregister(element);
    }
}

uint32_t NextElementId() {
    return ++State().nextElementId;
}

const std::vector<GUIElement*>& Elements() {
    return State().elements;
}

const std::vector<GUIElement*>& Forms() {
    return State().forms;
}

const std::vector<GUIElement*>& Timers() {
    return State().timers;
}

bool IsRegistered(const GUIElement* element) {
    return element != nullptr && Contains(State().elements, element);
}

Form* FindFormByWindow(Window window) {
    for (GUIElement* element : State().forms) {
        Form* form = static_cast<Form*>(element);
        if (form->GetWindow() == window) return form;
    }
    return nullptr;
}

GUIElement* FindElementById(uint32_t id) {
    for (GUIElement* element : State().elements)
        if (element->GetId() == id) return element;
    return nullptr;
}

std::vector<GUIElement*> CollectChildren(uint32_t containerId) {
    std::vector<GUIElement*> children;
    for (GUIElement* element : State().elements) {
        if (!IsChildOf(element, containerId)) continue;
        children.push_back(element);
        if (!CanSearchInto(element, containerId)) continue;
        const std::vector<GUIElement*> inner = CollectChildren(element->GetId());
        children.insert(children.end(), inner.begin(), inner.end());
    }
    return children;
}

// The first hit in registry order wins, not the topmost element.
GUIElement* FindElementAt(uint32_t containerId, Point point) {
    for (GUIElement* element : State().elements) {
        if (!Qualifies(element, containerId)) continue;
        if (element->IsType("panel")) {
            if (!CanSearchInto(element, containerId)) continue;
            const Point origin = element->GetPosition();
            GUIElement* hit =
                FindElementAt(element->GetId(), Point{point.x - origin.x, point.y - origin.y});
            if (hit != nullptr) return hit;
            continue;
        }
        if (element->HitTest(point)) return element;
    }
    return nullptr;
}

Form* OwningForm(GUIElement* element) {
    for (GUIElement* ancestor = element; ancestor != nullptr; ancestor = ancestor->GetParent())
        if (ancestor->IsType("form")) return static_cast<Form*>(ancestor);
    return nullptr;
}

GUIElement* FocusedElement() {
    return State().focusedElement;
}

void SetFocusedElement(GUIElement* element) {
    State().focusedElement = element;
}

void ClearFocus() {
    State().focusedElement = nullptr;
}

std::array<uint8_t, 256>& KeyTable() {
    return State().keyTable;
}

bool IsKeyDown(int code) {
    return code >= 0 && code <= 255 && State().keyTable[static_cast<size_t>(code)] == 1;
}

bool QuitRequested() {
    return State().quitRequested;
}

void RequestQuit() {
    State().quitRequested = true;
}

void SetMessageBoxForm(Form* form) {
    State().messageBoxForm = form;
}

Form* MessageBoxForm() {
    return State().messageBoxForm;
}

void DeleteLater(GUIElement* element) {
    std::vector<GUIElement*>& pending = State().pendingDeletes;
    if (element == nullptr || std::find(pending.begin(), pending.end(), element) != pending.end())
        return;
    pending.push_back(element);
}

// A destructor may hand over further elements, so the list is taken first.
void DeletePending() {
    while (!State().pendingDeletes.empty()) {
        std::vector<GUIElement*> doomed;
        doomed.swap(State().pendingDeletes);
        for (GUIElement* element : doomed)
            delete element;
    }
}

}  // namespace Application

}  // namespace nebulark
