// #include: files looked up beside the script, their lines compiled in place under the editor
// line of the #include, line ends of every kind, and UTF-8 or ISO-8859-1 text.
#include "CompileHelpers.h"

using namespace tqc_test;

namespace {

// The lines of inc.tqc in place of its #include: the number of expanded lines, and what each
// editor line left (the cells and errors of the include show on the line of the #include).
TEST(Include, IncludedLinesCompileInPlace) {
    const std::string dir = MakeTempDir();
    data.sourceDir = W(dir);
    WriteBytes(dir + "/b.tqc", "on 2\r\n");
    const std::vector<std::string> include = {"#include \"inc.tqc\""};
    const std::string utf8 = "defvar z\xC3\xA4hler = 1\nsend \"\xC3\xA4\"\n#define ;GR\xC3\x96SSE 7\n";
    const std::vector<std::string> twin = {include[0], "setvar z\xC3\xA4hler=;GR\xC3\x96SSE"};
    const struct {
        int line;
        std::string inc;
        std::vector<std::string> script;
        int lines;
        std::string expected;
    } rows[] = {
        {__LINE__, "defvar b = 2\r\nsetvar b=3\r\n", {"defvar a = 1", include[0], "setvar a=2"}, 4,
         "01 00 00 01 | 01 01 00 02 01 01 00 03 | 01 00 00 02"},
        {__LINE__, "on 1\r\nfoo\r\non 9999\r\n", {"on 5", "", include[0], "foo"}, 5,
         "0A 00 05 | - | 0A 00 01 !line !range | !line"},
        // the failed line stays and, beginning with "#", is skipped; the errors end in a blank
        {__LINE__, "", {"on 1", "#include \"fehlt.tqc\"", "on 2"}, 3,
         "0A 00 01 | !include Datei nicht vorhanden  | 0A 00 02"},
        {__LINE__, "", {"on 1", "#include inc.tqc", "#include \"\"", "#include \"inc.tqc"}, 4,
         "0A 00 01 | !Fehler in der Zeile, \"\" fehlen?  | !Fehler in der Zeile, \"\" fehlen?  | "
         "!Fehler in der Zeile, \"\" fehlen? "},
        // a line of an include needs two characters once its blanks are gone; an editor line one
        {__LINE__, "x\r\n\r\n   \r\n\t;\r\nreturn\r\n", include, 1, "13"},
        {__LINE__, "", {"x"}, 1, "!line"},
        // the text after the last line end needs one
        {__LINE__, "on 1\r\non 2", include, 2, "0A 00 01 0A 00 02"},
        {__LINE__, "on 1\r\nx", include, 2, "0A 00 01 !line"},
        // every kind of line end splits lines
        {__LINE__, "on 1\non 2\r\non 3\ron 4\n\non 5\r\ron 6\n\r\n", include, 6,
         "0A 00 01 0A 00 02 0A 00 03 0A 00 04 0A 00 05 0A 00 06"},
        {__LINE__, "on 1\ron 2", include, 2, "0A 00 01 0A 00 02"},
        // UTF-8 (with or without a byte order mark) or else ISO-8859-1; beyond ISO-8859-1 '?'
        {__LINE__, utf8, twin, 4, "01 00 00 01 41 01 E4 | 01 00 00 07"},
        {__LINE__, "\xEF\xBB\xBF" + utf8, twin, 4, "01 00 00 01 41 01 E4 | 01 00 00 07"},
        {__LINE__, "defvar z\xE4hler = 1\nsend \"\xE4\"\n#define ;GR\xD6SSE 7\n", twin, 4,
         "01 00 00 01 41 01 E4 | 01 00 00 07"},
        {__LINE__, "send \"\xE2\x82\xAC\"\n", include, 1, "41 01 3F"},
        // included files are not searched for includes
        {__LINE__, "#include \"b.tqc\"\r\non 1\r\n", include, 2, "0A 00 01"},
        // defines and marks of an include serve the whole script
        {__LINE__, "#define ;LED 7\r\n::sub\r\nreturn\r\n", {"on ;LED", "retjump sub", include[0]}, 5,
         "0A 00 07 | 12 00 06 | 13"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        WriteBytes(dir + "/inc.tqc", row.inc);
        ExpectCompile({}, row.script, row.expected);
        EXPECT_EQ(data.lineCount, row.lines);
    }
}

}  // namespace
