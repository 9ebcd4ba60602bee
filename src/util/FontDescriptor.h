#pragma once

#include <X11/Xlib.h>

#include <string>

namespace nebulark {

// Family, pixel size and style of an element's font, turned into an X core
// font name and loaded on first use. The descriptor owns the font it loaded.
class FontDescriptor {
public:
    FontDescriptor() = default;
    explicit FontDescriptor(std::string family) : family(std::move(family)) {}
    FontDescriptor(std::string family, int size) : family(std::move(family)), size(size) {}
    ~FontDescriptor();
    FontDescriptor(const FontDescriptor&) = delete;
    FontDescriptor& operator=(const FontDescriptor&) = delete;

    const std::string& buildName();
    void load(Display* display);
    // The loaded font, loading it first if needed; null when loading failed.
    XFontStruct* getFont(Display* display);
    int fontHeight() const;

    void setBold(bool value) { bold = value; }
    bool getBold() const { return bold; }
    void setItalic(bool value) { italic = value; }
    bool getItalic() const { return italic; }

    XFontStruct* xfont = nullptr;
    bool fontLoaded = false;
    Display* xdisplay = nullptr;
    std::string family;
    int size = 14;
    bool bold = false;
    bool italic = false;
    std::string xlfdName;

private:
    void release();
};

}  // namespace nebulark
