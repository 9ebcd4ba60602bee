#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/DialogForm.h"

namespace nebulark {

class ButtonCustom;
class CellControl;
class MyImage;
class PanelChildren;

// The toolkit's about box: a 600 × 210 dialog titled "Info..." centred over
// its owner, with a logo in a framed panel, two heading lines, a web address
// and a mail address drawn as blue links, a bevelled description and an "OK"
// button. Pressing a link opens the address in the web browser, or a new
// message in the mail program, started through the shell in a child process
// that is never waited for. "OK", Return, Escape, Delete and the window
// manager close the box; the owner stays disabled while it is open.
class FormAbout : public DialogForm {
public:
    // The setters below are read when the window is created, by Show.
    explicit FormAbout(Form* owner, Screen* screen = nullptr);
    ~FormAbout() override;

    // The first 12 characters are the scheme and the start of the host
    // ("https://www."); the mail address takes the rest as its domain.
    void setWebAddress(const std::string& text);
    // The mailbox in front of the at-sign; "info" unless set.
    void setMailbox(const std::string& name);
    // The image stays the caller's and must outlive the box.
    void setLogo(XImage* image, int32_t w, int32_t h);
    void setHeadingText(const std::string& text);
    void setSubheadingText(const std::string& text);
    void setDescriptionText(const std::string& text);

    void buildContents() override;
    bool releaseParent() override;
    // A released key's character: Return, Escape and Delete close the box as
    // "OK" does and answer false; every other key answers true.
    virtual bool keyPressed(char code);
    // Hooks for a derived box; empty here.
    virtual void keyDown(KeySym keysym);
    virtual void keyUp(KeySym keysym);
    // Only the "OK" button closes the box.
    void buttonClicked(GUIElement* sender) override;
    // Starts the program for the link, with the address the link shows.
    virtual void linkClicked(GUIElement* sender);

    // Empty when the web address has nothing after its first 12 characters.
    std::string mailAddress() const;

    MyImage* getLogo() const { return logo.get(); }
    PanelChildren* getLogoPanel() const { return logoPanel.get(); }
    CellControl* getHeadingCell() const { return headingCell.get(); }
    CellControl* getSubheadingCell() const { return subheadingCell.get(); }
    CellControl* getDescriptionCell() const { return descriptionCell.get(); }
    CellControl* getWebLinkCell() const { return webLinkCell.get(); }
    CellControl* getMailLinkCell() const { return mailLinkCell.get(); }
    ButtonCustom* getOkButton() const { return okButton.get(); }

private:
    std::unique_ptr<MyImage> logo;
    std::unique_ptr<CellControl> headingCell;
    std::unique_ptr<CellControl> subheadingCell;
    std::unique_ptr<PanelChildren> logoPanel;
    std::unique_ptr<CellControl> descriptionCell;
    std::unique_ptr<ButtonCustom> okButton;
    std::unique_ptr<CellControl> webLinkCell;
    std::unique_ptr<CellControl> mailLinkCell;
    XImage* logoImage = nullptr;
    int32_t logoWidth = 0;
    int32_t logoHeight = 0;
    std::string headingText;
    std::string subheadingText;
    std::string descriptionText;
    std::string webAddress;
    std::string mailbox = "info";

    void BuildLogo(int32_t clientHeight);

    static FormAbout* AboutBoxOf(GUIElement* element);
    static void LinkPressed(GUIElement* element, uint64_t userData, Point point);
    static bool KeyTyped(GUIElement* element, char character);
    static void KeyPressedDown(GUIElement* element, KeySym keysym);
    static void KeyReleased(GUIElement* element, KeySym keysym);
};

}  // namespace nebulark
