#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "widgets/Child.h"

namespace nebulark {

// The toolkit's label: a caption in a box with an alignment, colours, an
// optional bevel, an optional small picture and an optional "*" marker. It
// takes no focus. `modified` tells whether the text or a display setting
// changed since the control was created or the flag was last cleared.
class CellControl : public Child {
public:
    explicit CellControl(GUIElement* form);

    void Show() override;
    void Reveal() override;
    // Erases the area with the form's colour and forgets the creation.
    void Hide() override;
    void SetCaption(const std::string& value) override;
    void Paint() override;
    void Create() override;

    // Alignment values are those of DrawTextBox: 0 left, 1 right, 2 centred.
    void setAlignment(int32_t value);
    void setTextColor(int64_t value);
    void setShowMarker(bool on);
    void setBevel(bool on);
    void setHighlighted(bool on);
    void setHighlightTextColor(int64_t value);
    void setHighlightBackColor(int64_t value);
    // A picture the caller owns, put at w × h; align 0 left, 1 right, 2 centred.
    void setPicture(XImage* value, int32_t w, int32_t h, int32_t align);
    bool isModified() const { return modified; }
    void clearModified() { modified = false; }
    // Goes back to the background colour the control was created with.
    void restoreBackColor();

    int32_t getAlignment() const { return alignment; }
    bool isHighlighted() const { return highlighted; }

private:
    bool modified = false;
    XImage* picture = nullptr;
    int32_t pictureAlign = 1;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    bool showMarker = false;
    int32_t alignment = 2;
    int64_t textColor = 0;
    int64_t savedBackColor = -1;
    bool bevel = false;
    bool highlighted = false;
    int64_t highlightTextColor = 0;
    int64_t highlightBackColor = 0xFFFF00;

    void Repaint();
    // Stores a display setting: nothing when unchanged, else mark and repaint.
    template <class T>
    void Change(T& field, T value);
};

}  // namespace nebulark
