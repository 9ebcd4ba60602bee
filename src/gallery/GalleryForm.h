#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "widgets/Form.h"

namespace nebulark {

class ButtonCustom;
class CellControl;
class CheckBox;
class FormAbout;
class ImageFrame;
class OptionBox;
class PanelChildren;
class ProgressBar;
class ScrollBar;
class Screen;
class Slider;
class TextBoxCustom;

// Every control and dialog of the toolkit on one form, wired to each other so
// that they can be tried: a panel framing check and option boxes whose state
// a line below reports, a slider driving a progress bar, a scroll bar paging
// an image frame, a text box in each mode, and buttons that open a message
// box, a question and the about box. Closing the form ends the event loop.
class GalleryForm : public Form {
public:
    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 328;

    // Centred on the screen; Show creates the window and the controls.
    explicit GalleryForm(Screen* screen);
    ~GalleryForm() override;

    bool OnCloseQuery() override;
    // The answer of the message box or the question, shown beside the buttons.
    void OnDialogResult(int32_t requestCode, int32_t result) override;

private:
    std::unique_ptr<PanelChildren> choicesPanel;
    std::unique_ptr<CheckBox> soundBox;
    std::unique_ptr<CheckBox> lockedBox;
    std::unique_ptr<OptionBox> levelBox;
    std::unique_ptr<CellControl> choicesLine;
    std::unique_ptr<Slider> slider;
    std::unique_ptr<ProgressBar> progressBar;
    std::unique_ptr<ImageFrame> imageFrame;
    std::unique_ptr<ScrollBar> scrollBar;
    std::vector<std::unique_ptr<CellControl>> labels;
    std::vector<std::unique_ptr<TextBoxCustom>> textBoxes;
    std::unique_ptr<ButtonCustom> messageButton;
    std::unique_ptr<ButtonCustom> questionButton;
    std::unique_ptr<ButtonCustom> aboutButton;
    std::unique_ptr<ButtonCustom> quitButton;
    std::unique_ptr<CellControl> answerLine;
    std::unique_ptr<FormAbout> aboutBox;
    std::vector<XImage*> planets;
    XImage* logo = nullptr;

    void BuildContents();
    void BuildChoices();
    void BuildValueControls();
    void BuildTextBoxes();
    void BuildButtons();
    std::unique_ptr<CellControl> MakeLabel(const char* text, int32_t x, int32_t y, int32_t w);
    void AddLabel(const char* text, int32_t x, int32_t y, int32_t w);
    TextBoxCustom* AddTextBox(const char* label, int32_t y, int32_t h);
    std::unique_ptr<ButtonCustom> MakeButton(const char* caption, int32_t x);
    void ShowChoices();
    void ButtonPressed(GUIElement* sender);
    void OpenAboutBox();

    static GalleryForm* GalleryOf(GUIElement* element);
};

}  // namespace nebulark
