#include "gallery/GalleryProgram.h"

int main() {
    return nebulark::RunGallery();
}
