#include "widgets/SurfaceFont.h"

#include "app/Application.h"
#include "app/Screen.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

constexpr int kSmallestWrappedLine = 15;

}  // namespace

Display* SurfaceFont::Connection() const {
    if (form == nullptr || form->GetScreen() == nullptr) return nullptr;
    return form->GetScreen()->GetDisplay();
}

void SurfaceFont::Release() {
    if (fallback != nullptr) XFreeFontInfo(nullptr, fallback, 1);
    fallback = nullptr;
}

// A font of another connection would name nothing here.
XFontStruct* SurfaceFont::FormFont() const {
    const auto& forms = Application::Forms();
    Display* display = Connection();
    if (forms.empty() || display == nullptr) return nullptr;
    FontDescriptor& descriptor = static_cast<Form*>(forms.front())->GetFont();
    XFontStruct* font = descriptor.getFont(display);
    return descriptor.xdisplay == display ? font : nullptr;
}

XFontStruct* SurfaceFont::DrawnFont() const {
    if (XFontStruct* font = FormFont()) return font;
    if (fallback == nullptr && context != nullptr && Connection() != nullptr)
        fallback = XQueryFont(Connection(), XGContextFromGC(context));
    return fallback;
}

int SurfaceFont::FormFontWidth(const std::string& text) const {
    XFontStruct* font = FormFont();
    if (font == nullptr) return 0;
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

int SurfaceFont::Width(const std::string& text) const {
    XFontStruct* font = DrawnFont();
    if (font == nullptr || text.empty()) return 0;
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

int SurfaceFont::WrappedLineHeight() const {
    const XFontStruct* font = DrawnFont();
    const int ascent = font != nullptr ? font->ascent : 0;
    return ascent < kSmallestWrappedLine + 1 ? kSmallestWrappedLine : ascent + 1;
}

}  // namespace nebulark
