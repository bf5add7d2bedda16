#include "resources/Resources.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/module.h>
#include <wx/mstream.h>

#include <memory>

namespace {

#include "resources/Pictures.inc"

// The colour of palette entry 0, which make_pictures.py uses for "no pixel".
constexpr unsigned char kMaskRed = 255, kMaskGreen = 0, kMaskBlue = 255;

constexpr int kToolPictures = 3;

struct Decoded {
    wxBitmap tools[kToolPictures];
    wxIcon icon;
};

// Decoded pictures; dropped by the module below before the toolkit shuts down, so that no
// bitmap outlives the display connection.
std::unique_ptr<Decoded> cache;

Decoded& Cache() {
    if (!cache) cache = std::make_unique<Decoded>();
    return *cache;
}

wxBitmap Decode(const EmbeddedPicture& picture) {
    wxMemoryInputStream stream(picture.bytes, picture.size);
    wxImage image(stream, wxBITMAP_TYPE_BMP);
    if (!image.IsOk()) {
        wxLogError("Eingebettetes Bild nicht lesbar");
        return wxBitmap();
    }
    image.SetMaskColour(kMaskRed, kMaskGreen, kMaskBlue);
    return wxBitmap(image);
}

class PictureModule : public wxModule {
public:
    bool OnInit() override { return true; }
    void OnExit() override { cache.reset(); }

private:
    wxDECLARE_DYNAMIC_CLASS(PictureModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(PictureModule, wxModule);

}  // namespace

EmbeddedPicture ToolPictureData(ToolPicture which) {
    switch (which) {
        case ToolPicture::Compile: return {kCompilePicture, sizeof kCompilePicture};
        case ToolPicture::Program: return {kProgramPicture, sizeof kProgramPicture};
        case ToolPicture::Terminal: return {kTerminalPicture, sizeof kTerminalPicture};
    }
    return {nullptr, 0};
}

EmbeddedPicture AppIconData() { return {kAppIconPicture, sizeof kAppIconPicture}; }

wxBitmap ToolBitmap(ToolPicture which) {
    const int index = static_cast<int>(which);
    if (index < 0 || index >= kToolPictures) return wxBitmap();
    wxBitmap& bitmap = Cache().tools[index];
    if (!bitmap.IsOk()) bitmap = Decode(ToolPictureData(which));
    return bitmap;
}

wxIcon AppIcon() {
    wxIcon& icon = Cache().icon;
    if (!icon.IsOk()) {
        const wxBitmap bitmap = Decode(AppIconData());
        if (bitmap.IsOk()) icon.CopyFromBitmap(bitmap);
    }
    return icon;
}
