// The program icon and the three toolbar pictures, embedded in the program as BMP files.
#pragma once

#include <wx/bitmap.h>
#include <wx/icon.h>

#include <cstddef>

enum class ToolPicture { Compile, Program, Terminal };

// The bytes of an embedded BMP file.
struct EmbeddedPicture {
    const unsigned char* bytes;
    size_t size;
};

// The main window's icon (48 x 48, the mask colour transparent).
wxIcon AppIcon();

// A 24 x 24 toolbar picture with its mask. Each picture is decoded on first use and the same
// bitmap is returned for the rest of the run.
wxBitmap ToolBitmap(ToolPicture which);

EmbeddedPicture ToolPictureData(ToolPicture which);
EmbeddedPicture AppIconData();
