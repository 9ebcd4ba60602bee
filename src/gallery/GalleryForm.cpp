#include "gallery/GalleryForm.h"

#include <string>

#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/CheckBox.h"
#include "controls/ImageFrame.h"
#include "controls/OptionBox.h"
#include "controls/PanelChildren.h"
#include "controls/ProgressBar.h"
#include "controls/ScrollBar.h"
#include "controls/ScrollBarValue.h"
#include "controls/Slider.h"
#include "controls/TextBoxCustom.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormMsgBox.h"
#include "gallery/GalleryPictures.h"
#include "images/AppIcon.h"
#include "widgets/TextFitting.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

namespace {

constexpr int32_t kQuestionCode = 1;
constexpr int64_t kPanelColour = 0xC4CAD6;
// The three columns of the form and the row of buttons.
constexpr int32_t kMiddle = 260, kRight = 460, kButtons = 288;
constexpr int32_t kFrameWidth = 160, kFrameHeight = 96, kLogoSide = 64;
constexpr const char* kLevels[] = {"Easy", "Normal", "Hard", "Insane"};

}  // namespace

GalleryForm::GalleryForm(Screen* screen) : Form(0) {
    SetScreen(screen);
    SetTitle("Nebulark toolkit gallery");
    SetIcon(appIcon());
    SetSize(kWidth, kHeight);
    CenterOnScreen();
    setOnLoad([](GUIElement* element, uint64_t) {
        if (GalleryForm* gallery = GalleryOf(element)) gallery->BuildContents();
    });
}

// The about box and the controls go before the pictures they show.
GalleryForm::~GalleryForm() {
    aboutBox.reset();
    imageFrame.reset();
    for (XImage* planet : planets)
        destroyXImage(planet);
    destroyXImage(logo);
}

GalleryForm* GalleryForm::GalleryOf(GUIElement* element) {
    return dynamic_cast<GalleryForm*>(Application::OwningForm(element));
}

bool GalleryForm::OnCloseQuery() {
    Application::RequestQuit();
    return true;
}

void GalleryForm::OnDialogResult(int32_t requestCode, int32_t result) {
    std::string answer = "closed by the window manager";
    if (result == FormMsgBox::kOk) answer = "OK";
    if (result == FormMsgBox::kYes) answer = "YES";
    if (result == FormMsgBox::kNo) answer = "NO";
    answerLine->SetCaption((requestCode == kQuestionCode ? "Question: " : "Message: ") + answer);
}

void GalleryForm::BuildContents() {
    BuildChoices();
    BuildValueControls();
    BuildTextBoxes();
    BuildButtons();
}

std::unique_ptr<CellControl> GalleryForm::MakeLabel(const char* text, int32_t x, int32_t y,
                                                    int32_t w) {
    auto label = std::make_unique<CellControl>(this);
    label->SetCaption(text);
    label->setAlignment(kAlignLeft);
    label->SetPosition(x, y);
    label->SetSize(w, 16);
    label->Show();
    return label;
}

void GalleryForm::AddLabel(const char* text, int32_t x, int32_t y, int32_t w) {
    labels.push_back(MakeLabel(text, x, y, w));
}

// A panel in a colour of its own frames two check boxes and an option box;
// the line below it reports what they hold.
void GalleryForm::BuildChoices() {
    choicesPanel = std::make_unique<PanelChildren>(this);
    choicesPanel->setSunken(false);
    choicesPanel->SetBackColor(kPanelColour);
    choicesPanel->SetCaption("Panel");
    choicesPanel->SetPosition(10, 10);
    choicesPanel->SetSize(230, 214);
    const auto changed = [](GUIElement* sender) {
        if (GalleryForm* gallery = GalleryOf(sender)) gallery->ShowChoices();
    };
    soundBox = std::make_unique<CheckBox>(choicesPanel.get(), "Sound on");
    soundBox->SetPosition(10, 20);
    soundBox->SetSize(200, 22);
    soundBox->setClickHandler(changed);
    lockedBox = std::make_unique<CheckBox>(choicesPanel.get(), "Disabled, checked");
    lockedBox->SetPosition(10, 46);
    lockedBox->SetSize(200, 22);
    lockedBox->setChecked(true);
    lockedBox->setEnabledAndRepaint(false);
    levelBox = std::make_unique<OptionBox>(choicesPanel.get());
    levelBox->SetPosition(10, 78);
    levelBox->SetSize(200, 104);
    for (int level = 0; level < 4; ++level)
        levelBox->addItem(kLevels[level], std::to_string(level + 1));
    levelBox->setSelected(1);
    levelBox->setClickHandler(changed);
    choicesPanel->Show();
    choicesLine = MakeLabel("", 10, 230, 230);
    ShowChoices();
}

void GalleryForm::ShowChoices() {
    const int32_t level = levelBox->getSelected();
    choicesLine->SetCaption(std::string("Sound ") + (soundBox->isChecked() ? "on" : "off") +
                            ", level " + levelBox->captionAt(level) + " (" +
                            levelBox->valueAt(level) + ")");
}

// The slider sets the progress bar; each page of the scroll bar shows one
// phase of the planet in the image frame.
void GalleryForm::BuildValueControls() {
    AddLabel("Slider and progress bar", kMiddle, 10, 190);
    slider = std::make_unique<Slider>(this, false, 0, 10);
    slider->SetPosition(kMiddle, 28);
    slider->SetSize(180, 20);
    slider->setValue(4);
    slider->setOnSlide([](Slider* sender, int32_t value) {
        if (GalleryForm* gallery = GalleryOf(sender)) gallery->progressBar->setValue(value);
    });
    slider->Show();
    progressBar = std::make_unique<ProgressBar>(this, 0, 10);
    progressBar->SetPosition(kMiddle, 72);
    progressBar->SetSize(185, 22);
    progressBar->setValue(4);
    progressBar->Show();

    AddLabel("Scroll bar and image frame", kMiddle, 108, 190);
    for (int phase = 0; phase < GalleryPictures::kPhases; ++phase)
        planets.push_back(createXImageFromRgb(
            this, GalleryPictures::planetPicture(kFrameWidth, kFrameHeight, phase)));
    imageFrame = std::make_unique<ImageFrame>(this, planets, 0, 0);
    imageFrame->SetPosition(kMiddle, 126);
    imageFrame->SetSize(kFrameWidth, kFrameHeight);
    imageFrame->Show();
    const int32_t track = ScrollBarValue::TrackLength(Size{kFrameWidth, 21}, false);
    scrollBar = std::make_unique<ScrollBar>(this, 0, GalleryPictures::kPhases * track);
    scrollBar->SetPosition(kMiddle, 226);
    scrollBar->SetSize(kFrameWidth, 21);
    scrollBar->setOnScroll([](ScrollBar* sender, int64_t, int32_t position) {
        const int32_t page = position / ScrollBarValue::TrackLength(sender->GetSize(), false);
        if (GalleryForm* gallery = GalleryOf(sender)) gallery->imageFrame->setFrame(page, 0);
    });
    scrollBar->Show();
}

TextBoxCustom* GalleryForm::AddTextBox(const char* label, int32_t y, int32_t h) {
    AddLabel(label, kRight, y, 170);
    auto box = std::make_unique<TextBoxCustom>(this, "");
    box->SetPosition(kRight, y + 16);
    box->SetSize(170, h);
    textBoxes.push_back(std::move(box));
    return textBoxes.back().get();
}

// One text box in each of its modes.
void GalleryForm::BuildTextBoxes() {
    AddTextBox("Overwrite (the default)", 10, 22)->setMaxLength(16);
    AddTextBox("Insert (two lines)", 52, 40)->setInsertMode(true);
    TextBoxCustom* digits = AddTextBox("Digits and a point", 112, 22);
    digits->setDigitsOnly(true);
    digits->setDecimalPoint(true);
    AddTextBox("Date (dd/mm/yyyy)", 152, 22)->setDateMode(true);
    TextBoxCustom* password = AddTextBox("Password", 192, 22);
    password->setPassword(true);
    password->SetCaption("nebulark");
    TextBoxCustom* readOnly = AddTextBox("Read-only", 232, 22);
    readOnly->setReadOnly(true);
    readOnly->SetCaption("Look, do not touch");
    for (const auto& box : textBoxes)
        box->Show();
}

std::unique_ptr<ButtonCustom> GalleryForm::MakeButton(const char* caption, int32_t x) {
    auto button = std::make_unique<ButtonCustom>(this, caption);
    button->SetPosition(x, kButtons);
    button->SetSize(100, 28);
    button->setClickHandler([](GUIElement* sender) {
        if (GalleryForm* gallery = GalleryOf(sender)) gallery->ButtonPressed(sender);
    });
    button->Show();
    return button;
}

void GalleryForm::BuildButtons() {
    messageButton = MakeButton("Message", 10);
    questionButton = MakeButton("Question", 120);
    aboutButton = MakeButton("About...", 230);
    quitButton = MakeButton("Quit", 340);
    answerLine = MakeLabel("Answers show here", kRight, kButtons + 6, 170);
    logo = createXImageFromRgb(this, GalleryPictures::planetPicture(kLogoSide, kLogoSide, 1));
}

void GalleryForm::ButtonPressed(GUIElement* sender) {
    if (sender == messageButton.get())
        showMessage(this, "A message box: one button, one answer.", "Message");
    else if (sender == questionButton.get())
        showQuestion(kQuestionCode, this, "Do you like the gallery?", "Question");
    else if (sender == aboutButton.get())
        OpenAboutBox();
    else if (sender == quitButton.get())
        Application::RequestQuit();
}

// The box of an earlier click has closed, since the gallery stays disabled
// while one is open, so it can go.
void GalleryForm::OpenAboutBox() {
    aboutBox = std::make_unique<FormAbout>(this);
    aboutBox->setLogo(logo, kLogoSide, kLogoSide);
    aboutBox->setHeadingText("Nebulark");
    aboutBox->setSubheadingText("The toolkit gallery");
    aboutBox->setDescriptionText(
        "Every control and dialog of the toolkit on one form. The links start a web browser "
        "and a mail program.");
    aboutBox->setWebAddress("https://www.nebulark.example");
    aboutBox->Show();
}

}  // namespace nebulark
