#pragma once

#include <X11/X.h>

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "images/IconImage.h"
#include "widgets/GUIElement.h"

namespace nebulark {

class Screen;
class ScaledCanvas;

// A fixed-size top-level window: the toolkit's only kind of X window. Controls
// are drawn on their form, and the event loop finds forms by their window.
// A form does not own its controls.
class Form : public GUIElement {
public:
    explicit Form(int64_t tag);
    Form(int64_t tag, bool dialog);
    // Leaves the registry and destroys the window, as DestroyWindow does.
    ~Form() override;

    int32_t GetWidth() const override;
    int32_t GetClientWidth() const override;
    int32_t GetHeight() const override;
    int32_t GetClientHeight() const override;
    Point GetPosition() const override;
    void SetBackColor(int64_t colour) override;
    void Show() override;
    void Reveal() override;
    void Hide() override;
    void Focus() override;
    void Paint() override;
    void SetBlocked(bool flag) override;
    void Create() override;
    void ApplyPosition() override;
    void ApplySize() override;
    void ApplyBackColor() override;
    void ApplyRaise() override;
    void ApplyLower() override;
    void OnAttach(GUIElement* element) override;
    void ApplyFont() override;

    virtual void UserHookC();
    // Derived forms call it first in their close operations.
    virtual void OnBeforeClose();
    virtual std::string GetTitle() const;
    virtual void SetTitle(const std::string& title);
    virtual std::string GetTitleText() const;
    virtual void SetTitleText(const char* data, size_t length);
    // Raised by Create just before the window is mapped.
    virtual void OnCreated();
    // Raised by a tick message or by a form's own timer.
    virtual void OnTick();
    virtual void UserHookD();
    virtual void SetWindowFlagB(bool flag);
    virtual void SetWindowFlagC(bool flag);
    virtual void SetWindowFlagD(bool flag);
    virtual void DestroyWindow();
    // A dialog calls it on its owner when it closes.
    virtual void OnDialogResult(int32_t requestCode, int32_t result);
    virtual bool IsDialog() const;
    virtual void SetIconPixmap(Pixmap pixmap);
    virtual void FitClientSize(int32_t w, int32_t h);
    virtual void FitClientSize(int32_t w, int32_t h, bool recentre);
    virtual void SetWindowFlagE(bool flag);
    virtual void SetWindowFlagA(bool flag);
    virtual void SetModalChild(Form* form);
    // Records geometry reported by the server without asking for it again.
    virtual void StoreGeometry(int32_t newX, int32_t newY, int32_t w, int32_t h);
    virtual void SetScreen(Screen* value);
    virtual Screen* GetScreen() const;
    virtual void CenterOnScreen();
    virtual void ShowForm();
    // A second entry point that shows the form the same way; the mode is not
    // consulted.
    virtual void ShowForm(int32_t mode);
    virtual Window GetWindow() const;
    virtual void Activate();
    virtual void Deactivate();
    // Raised when the window stops taking the keyboard: the focus left it (for
    // another window, a grab, or the pointer's window when the focus follows
    // the pointer) or the window was unmapped. A key held at that moment is
    // let go where the form cannot hear it.
    virtual void OnKeyboardLost();

    // What the server last reported of the window, kept by the event loop. The
    // window counts as mapped from Create on until the server says otherwise;
    // the focus counts as away once another window has taken it, until the
    // window has it again.
    bool IsWindowMapped() const { return windowMapped; }
    bool IsFocusAway() const { return focusAway; }
    void NoteWindowMapped(bool mapped) { windowMapped = mapped; }
    void NoteFocusAway(bool away) { focusAway = away; }

    // The icon a window manager shows for the window, in the sizes given
    // (_NET_WM_ICON). The pictures must outlive the form; they are written
    // at once when the window exists and again whenever it is created.
    void SetIcon(std::span<const IconImage> images);

    // The form's geometry and drawing are in its own pixels. At a scale above
    // 1 its window is that many times larger each way: sizes and positions
    // are multiplied on their way to the server and divided on their way back,
    // and the form is drawn into a canvas the server enlarges onto the window.
    int GetScale() const { return scale; }
    ScaledCanvas* GetCanvas() const { return canvas.get(); }
    // Where the form is drawn: the canvas when there is one, else the window.
    Drawable GetDrawTarget() const;

    Atom GetDeleteAtom() const { return deleteAtom; }
    Form* GetModalChild() const { return modalChild; }
    Pixmap GetIconPixmap() const { return iconPixmap; }

    // True only while Create runs the form's OnLoad: the window is not mapped
    // yet, so controls must not paint.
    static bool PaintSuppressed() { return suppressPaint; }

protected:
    Form* modalChild = nullptr;
    bool spareFlagC = false;
    std::string spareString;
    Atom deleteAtom = 0;
    Pixmap iconPixmap = 0;
    Screen* screen = nullptr;
    Window window = 0;
    bool windowFlagA = true;
    bool windowFlagB = true;
    bool windowFlagC = true;
    bool windowFlagD = true;
    bool dialog = false;
    bool windowFlagE = false;

private:
    std::span<const IconImage> icon;
    int scale = 1;
    std::unique_ptr<ScaledCanvas> canvas;
    bool windowMapped = false;
    bool focusAway = false;
    static bool suppressPaint;

    // The window is `scale` times larger each way than the form: geometry is
    // multiplied on its way to the server and divided, rounding down, on its
    // way back.
    struct ServerGeometry {
        int x;
        int y;
        int width;
        int height;
    };
    ServerGeometry ToServer() const;
    int32_t FromServer(int value) const;

    Display* Connection() const;
    Size ClientSize() const;
    bool CreateWindow();
    void MakeCanvas(unsigned long background);
    void SetWindowProperties();
    void AnnounceOwner();
    void WriteIcon();
    void EnableCloseAndInput();
    void AnnounceDialog();
    void LoadContents();
    void ReleaseWindow();
};

}  // namespace nebulark
