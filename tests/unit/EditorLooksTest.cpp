// The editor's looks in TqC_Editor.ini: read back as written, and a value out of its range or
// malformed leaves the standard in place.
#include "settings/EditorSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorLooks, ReadBackAsWrittenAndBadValuesLeaveTheStandard) {
    const struct {
        int line;
        const char *file, *kept;
    } rows[] = {{__LINE__,
                 "Zoom:3\r\nFont_Size:12\r\nFont:DejaVu Sans Mono\r\nCurrent_Line_Colour:1,2,3\r\n"
                 "Background_Colour:10,20,30\r\nColour_Scheme:dunkel\r\n",
                 "Colour_Scheme:dunkel\r\nBackground_Colour:10,20,30\r\nCurrent_Line_Colour:1,2,3\r\n"
                 "Font:DejaVu Sans Mono\r\nFont_Size:12\r\nZoom:3\r\n"},
                {__LINE__,
                 "Background_Colour:256,0,0\r\nCurrent_Line_Colour:1,2\r\nZoom:99\r\nFont_Size:abc\r\n"
                 "Colour_Scheme:blau\r\nFont:\r\n",
                 ""},
                {__LINE__,
                 "Zoom:-10\r\nFont_Size:48\r\nBackground_Colour:1,2,3,4\r\nFont_Size:5\r\nZoom:-11\r\n"
                 "Current_Line_Colour:1,,3\r\n",
                 "Font_Size:48\r\nZoom:-10\r\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EditorSettings settings;
        settings.Parse(std::string("TqC Editor :-)\r\n") + row.file);
        const std::string written = settings.Format();
        const size_t looks = written.find("\r\n", written.find("Terminal_LineEnd:")) + 2;
        EXPECT_EQ(written.substr(looks), row.kept);
    }
    EditorSettings().Parse("");
}

}  // namespace
