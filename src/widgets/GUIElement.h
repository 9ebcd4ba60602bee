#pragma once

#include <X11/X.h>

#include <cstdint>
#include <string>

#include "util/DateTime.h"
#include "util/FontDescriptor.h"
#include "widgets/Geometry.h"

namespace nebulark {

class GUIElement;

// User callbacks are plain function pointers; the toolkit never owns what they
// refer to.
using LoadCallback = void (*)(GUIElement* element, uint64_t userData);
using MouseCallback = void (*)(GUIElement* element, uint64_t userData, Point point);
using KeyCallback = void (*)(GUIElement* element, KeySym keysym);
using KeyCharCallback = bool (*)(GUIElement* element, char character);
using ElementCallback = void (*)(GUIElement* element);
using CloseQueryCallback = bool (*)(GUIElement* element);
using MouseMoveCallback = void (*)(GUIElement* element, int32_t x, int32_t y);
using SpareCallback = int64_t (*)(GUIElement* element, int64_t argument);

// The base of every form, control and timer. The event loop talks to an
// element only through the virtual operations below, declared in a fixed order
// that derived classes extend at the end. The destructor is virtual, so an
// element may be deleted through any of its bases.
class GUIElement {
public:
    explicit GUIElement(int64_t tag);
    virtual ~GUIElement() = default;
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    virtual int32_t GetWidth() const;
    virtual int32_t GetClientWidth() const;
    virtual int32_t GetHeight() const;
    virtual int32_t GetClientHeight() const;
    virtual Point GetPosition() const;
    virtual Size GetSize() const;
    virtual Size GetExtent() const;
    virtual void SetSize(int32_t w, int32_t h);
    virtual void SetPosition(int32_t newX, int32_t newY);
    virtual void MoveTo(int32_t newX, int32_t newY);
    virtual void MoveToPoint(Point point);
    virtual void SetBackColor(int64_t colour);
    virtual int64_t GetBackColor() const;
    virtual void Show();
    virtual void Reveal();
    virtual void Hide();
    virtual bool IsVisible() const;
    virtual bool IsCreated() const;
    virtual void UserHookA();
    virtual void SetEnabled(bool flag);
    virtual bool IsEnabled() const;
    virtual void Attach(GUIElement* element);
    virtual void BringToFront();
    virtual void Raise();
    virtual void SendToBack();
    virtual void SetText(const std::string& value);
    virtual std::string GetText() const;
    virtual void SetFont(const FontDescriptor& descriptor);
    virtual FontDescriptor& GetFont();
    virtual bool CanFocus() const;
    virtual bool IsOwnerPainted() const;
    virtual bool IsChild() const;
    virtual bool HitTest(Point point) const;
    virtual void SetCaption(const std::string& value);
    virtual std::string GetCaption() const;
    virtual std::string GetValueText() const;
    virtual void OnMouseUp(Point point);
    virtual void OnMouseDown(Point point);
    virtual void OnDoubleClick(Point point);
    virtual void OnAuxButtonUp(Point point);
    virtual void OnAuxButtonDown(Point point);
    virtual void OnAuxDoubleClick(Point point);
    virtual void OnKeyUp(KeySym keysym);
    virtual void OnKeyDown(KeySym keysym);
    virtual bool OnKeyChar(char character);
    virtual void OnMouseMove(int32_t mouseX, int32_t mouseY);
    virtual int64_t OnSpareA(int64_t argument);
    virtual int64_t OnSpareB(int64_t argument);
    virtual void Focus();
    virtual void OnMove();
    virtual void OnResize();
    virtual void Paint();
    virtual bool OnCloseQuery();
    virtual void OnClosed();
    virtual void OnFocusIn();
    virtual void OnFocusOut();
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();
    virtual void OnLoad(uint64_t data);
    virtual void UpdateBackColor();
    virtual bool IsBlocked() const;
    virtual bool IsActive() const;
    virtual void SetBlocked(bool flag);
    virtual void SetActive(bool flag);
    virtual void UserHookB();
    virtual uint64_t& GetUserDataRef();
    virtual void Create() = 0;
    // Window-system hooks: empty here, overridden by Form.
    virtual void ApplyPosition();
    virtual void ApplySize();
    virtual void ApplyBackColor();
    virtual void ApplyRaise();
    virtual void ApplyLower();
    virtual void OnAttach(GUIElement* element);
    virtual void ApplyFont();

    // Draws an id when the element has none yet.
    void AssignId();
    std::string GetTypeName() const { return typeName; }
    bool IsType(const char* name) const { return typeName == name; }
    uint32_t GetId() const { return id; }
    GUIElement* GetParent() const { return parent; }
    bool IsClosed() const { return closed; }
    bool HasFocus() const { return hasFocus; }
    int64_t GetTag() const { return tag; }

    void setOnLoad(LoadCallback callback) { onLoad = callback; }
    void setOnMouseUp(MouseCallback callback) { onMouseUp = callback; }
    void setOnMouseDown(MouseCallback callback) { onMouseDown = callback; }
    void setOnDoubleClick(MouseCallback callback) { onDoubleClick = callback; }
    void setOnAuxButtonUp(MouseCallback callback) { onAuxButtonUp = callback; }
    void setOnAuxButtonDown(MouseCallback callback) { onAuxButtonDown = callback; }
    void setOnAuxDoubleClick(MouseCallback callback) { onAuxDoubleClick = callback; }
    void setOnKeyUp(KeyCallback callback) { onKeyUp = callback; }
    void setOnKeyDown(KeyCallback callback) { onKeyDown = callback; }
    void setOnKeyChar(KeyCharCallback callback) { onKeyChar = callback; }
    void setOnMove(ElementCallback callback) { onMove = callback; }
    void setOnResize(ElementCallback callback) { onResize = callback; }
    void setOnCloseQuery(CloseQueryCallback callback) { onCloseQuery = callback; }
    void setOnClosed(ElementCallback callback) { onClosed = callback; }
    void setOnFocusIn(ElementCallback callback) { onFocusIn = callback; }
    void setOnFocusOut(ElementCallback callback) { onFocusOut = callback; }
    void setOnMouseEnter(ElementCallback callback) { onMouseEnter = callback; }
    void setOnMouseLeave(ElementCallback callback) { onMouseLeave = callback; }
    void setOnValueChanged(ElementCallback callback) { onValueChanged = callback; }
    void setOnMouseMove(MouseMoveCallback callback) { onMouseMove = callback; }
    void setOnSpareA(SpareCallback callback) { onSpareA = callback; }
    void setOnSpareB(SpareCallback callback) { onSpareB = callback; }

protected:
    std::string typeName;
    bool isChild = false;
    bool canFocus = true;
    bool ownerPainted = false;
    bool visible = false;
    bool spareFlagA = false;
    bool closed = false;
    bool blocked = false;
    bool active = false;
    int64_t spareWordA = 0;
    uint64_t userData = 0;
    int64_t tag = 0;
    FontDescriptor font;
    int32_t width = 100;
    int32_t height = 50;
    int32_t x = 100;
    int32_t y = 100;
    bool created = false;
    int64_t backColor = -1;
    bool spareFlagB = false;
    bool enabled = true;
    uint32_t id = 0;
    std::string text;
    std::string caption;
    std::string valueAtFocus;
    GUIElement* parent = nullptr;
    int64_t spareWordB = 0;
    LoadCallback onLoad = nullptr;
    bool loaded = false;
    MouseCallback onMouseUp = nullptr;
    MouseCallback onMouseDown = nullptr;
    MouseCallback onDoubleClick = nullptr;
    MouseCallback onAuxButtonUp = nullptr;
    MouseCallback onAuxButtonDown = nullptr;
    MouseCallback onAuxDoubleClick = nullptr;
    KeyCallback onKeyUp = nullptr;
    KeyCallback onKeyDown = nullptr;
    KeyCharCallback onKeyChar = nullptr;
    ElementCallback onMove = nullptr;
    ElementCallback onResize = nullptr;
    CloseQueryCallback onCloseQuery = nullptr;
    ElementCallback onClosed = nullptr;
    ElementCallback onFocusIn = nullptr;
    ElementCallback onFocusOut = nullptr;
    ElementCallback onMouseEnter = nullptr;
    ElementCallback onMouseLeave = nullptr;
    ElementCallback onValueChanged = nullptr;
    MouseMoveCallback onMouseMove = nullptr;
    SpareCallback onSpareA = nullptr;
    SpareCallback onSpareB = nullptr;
    bool hasFocus = false;
    DateTime lastMouseUp;
};

}  // namespace nebulark
