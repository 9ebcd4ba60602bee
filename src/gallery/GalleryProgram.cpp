#include "gallery/GalleryProgram.h"

#include "app/Application.h"
#include "app/Screen.h"
#include "gallery/GalleryForm.h"
#include "util/Log.h"

namespace nebulark {

int RunGallery() {
    Screen screen("Nebulark toolkit gallery");
    if (screen.GetDisplay() == nullptr) return 1;
    {
        GalleryForm gallery(&screen);
        gallery.Show();
        Application::Run(&gallery);
    }
    if (!screen.Close()) LogMessage("Chiusura screen non riuscita");
    return 0;
}

}  // namespace nebulark
