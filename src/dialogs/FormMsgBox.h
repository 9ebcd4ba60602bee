#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/DialogForm.h"

namespace nebulark {

class ButtonCustom;
class CellControl;

// The toolkit's message box: a 250 × 150 dialog centred over its parent with
// a text and an "OK" button, or "YES" and "NO". Opening it returns at once;
// the parent stays disabled while it is open and hears the answer through
// its OnDialogResult (request code, result) once the box closes, by a button
// or by the window manager.
class FormMsgBox : public DialogForm {
public:
    // Result codes handed to the parent.
    static constexpr int32_t kClosed = 0;
    static constexpr int32_t kOk = 1;
    static constexpr int32_t kYes = 3;
    static constexpr int32_t kNo = 4;

    // Builds, places and creates the box over the parent.
    FormMsgBox(Form* parent, Screen* screen, const std::string& message, const std::string& title,
               bool yesNo, int32_t requestCode);
    ~FormMsgBox() override;

    virtual void setup(int32_t code, bool twoButtons, const std::string& title,
                       const std::string& text);
    void buildContents() override;
    void notifyParent() override;
    void buttonClicked(GUIElement* sender) override;
    virtual void setMessage(const std::string& text);

    int32_t getResult() const { return result; }
    int32_t getRequestCode() const { return requestCode; }
    bool isYesNo() const { return yesNo; }
    const std::string& getMessage() const { return message; }
    CellControl* getMessageCell() const { return messageCell.get(); }
    ButtonCustom* getFirstButton() const { return firstButton.get(); }
    ButtonCustom* getSecondButton() const { return secondButton.get(); }

private:
    std::unique_ptr<CellControl> messageCell;
    std::string message;
    bool yesNo = false;
    int32_t requestCode = 0;
    int32_t result = kClosed;
    std::unique_ptr<ButtonCustom> firstButton;
    std::unique_ptr<ButtonCustom> secondButton;

    std::unique_ptr<ButtonCustom> MakeButton(const std::string& caption, int32_t left);
};

// Open a message box, replacing the one open before: its window goes at once,
// without a word to its parent. A null parent means the main form (the first
// form). Each answers the new box, which the event loop deletes when it ends.
FormMsgBox* showMessage(int32_t requestCode, Form* parent, const std::string& message,
                        const std::string& title);
FormMsgBox* showMessage(Form* parent, const std::string& message, const std::string& title);
FormMsgBox* showMessage(const std::string& message, const std::string& title);
FormMsgBox* showQuestion(int32_t requestCode, Form* parent, const std::string& message,
                         const std::string& title);
FormMsgBox* showQuestion(int32_t requestCode, const std::string& message, const std::string& title);

}  // namespace nebulark
