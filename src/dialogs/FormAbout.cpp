#include "dialogs/FormAbout.h"

#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/MyImage.h"
#include "controls/PanelChildren.h"
#include "util/ProcessUtils.h"
#include "widgets/TextFitting.h"

namespace nebulark {

namespace {

constexpr int32_t kBoxWidth = 600;
constexpr int32_t kBoxHeight = 210;
constexpr int64_t kHeadingColour = 0xFFFFFF;
constexpr int64_t kLinkColour = 0x0000FF;
constexpr int64_t kTextColour = 0x000000;
// "https://www." and the like: what the mail address leaves out.
constexpr size_t kAddressPrefix = 12;
constexpr char kReturn = 13, kEscape = 27, kDelete = 127;

struct Place {
    int32_t x, y, w, h;
};

// A left-aligned line of text, created at once.
std::unique_ptr<CellControl> MakeCell(GUIElement* form, const std::string& text, int64_t ink,
                                      Place place) {
    auto cell = std::make_unique<CellControl>(form);
    cell->SetCaption(text);
    cell->setTextColor(ink);
    cell->setAlignment(kAlignLeft);
    cell->SetSize(place.w, place.h);
    cell->SetPosition(place.x, place.y);
    cell->Create();
    return cell;
}

}  // namespace

FormAbout::FormAbout(Form* owner, Screen* screen) : DialogForm(owner, screen) {
    SetTitle("Info...");
    SetSize(kBoxWidth, kBoxHeight);
    PlaceOver(owner);
    setOnKeyChar(KeyTyped);
    setOnKeyDown(KeyPressedDown);
    setOnKeyUp(KeyReleased);
}

// The controls go in the order they were made in, the logo before its panel.
FormAbout::~FormAbout() {
    logo.reset();
    logoPanel.reset();
    headingCell.reset();
    subheadingCell.reset();
    webLinkCell.reset();
    mailLinkCell.reset();
    descriptionCell.reset();
    okButton.reset();
    DestroyWindow();
}

void FormAbout::setWebAddress(const std::string& text) {
    webAddress = text;
}

void FormAbout::setMailbox(const std::string& name) {
    mailbox = name;
}

void FormAbout::setLogo(XImage* image, int32_t w, int32_t h) {
    logoImage = image;
    logoWidth = w;
    logoHeight = h;
}

void FormAbout::setHeadingText(const std::string& text) {
    headingText = text;
}

void FormAbout::setSubheadingText(const std::string& text) {
    subheadingText = text;
}

void FormAbout::setDescriptionText(const std::string& text) {
    descriptionText = text;
}

// A web address too short to hold a host gives no mail address, rather than
// one that names no domain.
std::string FormAbout::mailAddress() const {
    if (webAddress.size() <= kAddressPrefix) return std::string();
    return mailbox + "@" + webAddress.substr(kAddressPrefix);
}

// The text column starts right of the logo's panel and takes the rest of the
// width; the links and the description hang below the headings.
void FormAbout::buildContents() {
    const int32_t w = GetClientWidth(), h = GetClientHeight();
    const int32_t left = logoWidth + 45, column = w - logoWidth - 55;
    BuildLogo(h);
    headingCell = MakeCell(this, headingText, kHeadingColour, Place{left, 17, column, 25});
    subheadingCell = MakeCell(this, subheadingText, kTextColour, Place{left, 38, column, 25});
    webLinkCell = MakeCell(this, webAddress, kLinkColour, Place{left, 68, 200, 12});
    webLinkCell->setOnMouseDown(LinkPressed);
    mailLinkCell = MakeCell(this, mailAddress(), kLinkColour, Place{logoWidth + 255, 68, 150, 12});
    mailLinkCell->setOnMouseDown(LinkPressed);
    descriptionCell =
        MakeCell(this, descriptionText, kTextColour, Place{left, 95, column, h - 145});
    descriptionCell->setBevel(true);
    okButton = std::make_unique<ButtonCustom>(this, "OK");
    okButton->SetSize(80, 28);
    okButton->SetPosition(left + column / 2 - 80 / 2, h - 37);
    okButton->setClickHandler(routeClick);
    okButton->Create();
}

void FormAbout::BuildLogo(int32_t clientHeight) {
    logoPanel = std::make_unique<PanelChildren>(this);
    logoPanel->setFramed(true);
    logoPanel->SetSize(logoWidth + 20, clientHeight - 73);
    logoPanel->SetPosition(10, 23);
    logoPanel->Create();
    logo = std::make_unique<MyImage>(logoPanel.get(), logoImage);
    logo->SetSize(logoWidth, logoHeight);
    logo->SetPosition(5, 5);
    logo->Create();
}

bool FormAbout::releaseParent() {
    OnBeforeClose();
    return DialogForm::releaseParent();
}

// A box answers once: a key or a click that arrives after it closed (Return
// released on the focused "OK" reaches the button and then the form) changes
// nothing.
void FormAbout::buttonClicked(GUIElement* sender) {
    if (!created || sender == nullptr || okButton == nullptr) return;
    if (sender->GetId() != okButton->GetId() || !releaseParent()) return;
    DestroyWindow();
    OnClosed();
}

bool FormAbout::keyPressed(char code) {
    if (code != kReturn && code != kEscape && code != kDelete) return true;
    buttonClicked(okButton.get());
    return false;
}

void FormAbout::keyDown(KeySym) {}

void FormAbout::keyUp(KeySym) {}

// Each address goes to the shell as one quoted word, so that nothing in it
// can end the command or start another. A link without an address starts
// nothing.
void FormAbout::linkClicked(GUIElement* sender) {
    if (sender == nullptr) return;
    const std::string address = sender->GetCaption();
    if (address.empty()) return;
    if (sender == webLinkCell.get())
        RunShellInChild("firefox " + ShellQuoted(address));
    else if (sender == mailLinkCell.get())
        RunShellInChild("thunderbird -compose to=" + ShellQuoted(address));
}

FormAbout* FormAbout::AboutBoxOf(GUIElement* element) {
    return dynamic_cast<FormAbout*>(Application::OwningForm(element));
}

void FormAbout::LinkPressed(GUIElement* element, uint64_t, Point) {
    if (FormAbout* about = AboutBoxOf(element)) about->linkClicked(element);
}

bool FormAbout::KeyTyped(GUIElement* element, char character) {
    FormAbout* about = AboutBoxOf(element);
    return about == nullptr || about->keyPressed(character);
}

void FormAbout::KeyPressedDown(GUIElement* element, KeySym keysym) {
    if (FormAbout* about = AboutBoxOf(element)) about->keyDown(keysym);
}

void FormAbout::KeyReleased(GUIElement* element, KeySym keysym) {
    if (FormAbout* about = AboutBoxOf(element)) about->keyUp(keysym);
}

}  // namespace nebulark
