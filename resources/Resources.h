// The program icon and the toolbar pictures (each at three sizes), embedded in the program as BMP files.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/icon.h>

#include <cstddef>

// In the order of TOOLS in make_pictures.py, which writes the table of pictures in this order.
enum class ToolPicture { Compile, Program, Terminal, New, Open, Save, Cut, Copy, Paste, Delete, Undo, Redo, Test };
constexpr int kToolPictureCount = static_cast<int>(ToolPicture::Test) + 1;

// The bytes of an embedded BMP file.
struct EmbeddedPicture {
    const unsigned char* bytes;
    size_t size;
};

// The main window's icon (48 x 48, the mask colour transparent).
wxIcon AppIcon();

// A toolbar picture with its mask, drawn for 24 (100 %), 36 (150 %) or 48 pixels (200 %); an
// invalid bitmap for other sizes. Each is decoded on first use and the same bitmap is returned
// for the rest of the run.
wxBitmap ToolBitmap(ToolPicture which, int size = 24);
// All sizes of a picture: the toolbar takes the one drawn for the screen's scale.
wxBitmapBundle ToolBundle(ToolPicture which);

EmbeddedPicture ToolPictureData(ToolPicture which, int size);
EmbeddedPicture AppIconData();
