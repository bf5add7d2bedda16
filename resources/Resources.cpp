#include "resources/Resources.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/module.h>
#include <wx/mstream.h>

#include <iterator>
#include <memory>

namespace {

#include "resources/Pictures.inc"

// The colour of palette entry 0, which make_pictures.py uses for "no pixel".
constexpr unsigned char kMaskRed = 255, kMaskGreen = 0, kMaskBlue = 255;

constexpr int kToolPictures = kToolPictureCount;
constexpr int kToolSizes[] = {24, 36, 48};  // 100 %, 150 % and 200 %
constexpr int kToolScales = 3;
// A picture added to the drawing but not to ToolPicture (or the other way round) stops the build.
static_assert(std::size(kToolPictureTable) == kToolPictures && std::size(kToolPictureTable[0]) == kToolScales);

struct Decoded {
    wxBitmap tools[kToolPictures][kToolScales];
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

EmbeddedPicture ToolPictureData(ToolPicture which, int size) {
    const int index = static_cast<int>(which);
    for (int scale = 0; scale < kToolScales; ++scale)
        if (index >= 0 && index < kToolPictures && kToolSizes[scale] == size) return kToolPictureTable[index][scale];
    return {nullptr, 0};
}

EmbeddedPicture AppIconData() { return {kAppIconPicture, sizeof kAppIconPicture}; }

wxBitmap ToolBitmap(ToolPicture which, int size) {
    const int index = static_cast<int>(which);
    for (int scale = 0; scale < kToolScales; ++scale) {
        if (index < 0 || index >= kToolPictures || kToolSizes[scale] != size) continue;
        wxBitmap& bitmap = Cache().tools[index][scale];
        if (!bitmap.IsOk()) bitmap = Decode(ToolPictureData(which, size));
        return bitmap;
    }
    return wxBitmap();
}

wxBitmapBundle ToolBundle(ToolPicture which) {
    wxVector<wxBitmap> sizes;
    for (int size : kToolSizes) sizes.push_back(ToolBitmap(which, size));
    return wxBitmapBundle::FromBitmaps(sizes);
}

wxIcon AppIcon() {
    wxIcon& icon = Cache().icon;
    if (!icon.IsOk()) {
        const wxBitmap bitmap = Decode(AppIconData());
        if (bitmap.IsOk()) icon.CopyFromBitmap(bitmap);
    }
    return icon;
}
