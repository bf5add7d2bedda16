// #include: files looked up beside the script, their lines compiled in place under the editor
// line of the #include, line ends of every kind, and UTF-8 or ISO-8859-1 text.
#include "DriverSupport.h"

using namespace drvtest;

namespace {

class Include : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = MakeTempDir();
        data.sourceDir = W(dir_);
    }
    void File(const std::string& name, const std::string& bytes) { WriteBytes(dir_ + "/" + name, bytes); }

    std::string dir_;
    Compiler c_;
};

TEST_F(Include, PresentFileReplacesTheLine) {
    File("inc.tqc", "defvar b = 2\r\nsetvar b=3\r\n");
    Compile(c_, {"defvar a = 1", "#include \"inc.tqc\"", "setvar a=2"});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "01 00 00 01 01 01 00 02 01 01 00 03 01 00 00 02");
    ASSERT_EQ(data.lineCount, 4);
    const int origins[] = {1, 2, 2, 3};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(data.lineOrigin[i], origins[i]) << i;
    EXPECT_EQ(Visible(c_.ExpandedLines()[1]), "defvar<4>b=2");
}

TEST_F(Include, BadIncludeLines) {
    struct Row {
        int line;
        std::string include;
        std::string errors;
    } rows[] = {
        {__LINE__, "#include \"fehlt.tqc\"", "2:include Datei nicht vorhanden "},
        {__LINE__, "#include inc.tqc", "2:Fehler in der Zeile, \"\" fehlen? "},
        {__LINE__, "#include \"\"", "2:Fehler in der Zeile, \"\" fehlen? "},
        {__LINE__, "#include \"inc.tqc", "2:Fehler in der Zeile, \"\" fehlen? "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Compile(c_, {"on 1", row.include, "on 2"});
        EXPECT_EQ(Errors(), row.errors);
        EXPECT_EQ(data.errorCount, 1);
        // the failed line stays, begins with "#" and is skipped from then on
        EXPECT_EQ(data.lineCount, 3);
        EXPECT_EQ(Tokens(1), "");
        EXPECT_EQ(Image(), "0A 00 01 0A 00 02");
    }
}

// The lines of inc.tqc in place of its #include: the number of lines, the image and the errors.
TEST_F(Include, IncludedLinesCompileInPlace) {
    const std::vector<std::string> include = {"#include \"inc.tqc\""};
    File("b.tqc", "on 2\r\n");
    const struct {
        int line;
        std::string inc;
        std::vector<std::string> script;
        int lines;
        std::string image, errors;
    } rows[] = {
        // errors inside the include show on the editor line of the #include
        {__LINE__, "on 1\r\nfoo\r\non 9999\r\n", {"on 5", "", "#include \"inc.tqc\"", "foo"}, 5, "0A 00 05 0A 00 01",
         "3:Fehler in der Zeile | 3:Wert ausserhalb des Wertebereich | 4:Fehler in der Zeile"},
        // a line of an include needs two characters once its blanks are gone; an editor line one
        {__LINE__, "x\r\n\r\n   \r\n\t;\r\nreturn\r\n", include, 1, "13", ""},
        {__LINE__, "", {"x"}, 1, "", "1:Fehler in der Zeile"},
        // the text after the last line end needs one
        {__LINE__, "on 1\r\non 2", include, 2, "0A 00 01 0A 00 02", ""},
        {__LINE__, "on 1\r\nx", include, 2, "0A 00 01", "1:Fehler in der Zeile"},
        // every kind of line end splits lines
        {__LINE__, "on 1\non 2\n", include, 2, "0A 00 01 0A 00 02", ""},
        {__LINE__, "on 1\r\non 2\r\n", include, 2, "0A 00 01 0A 00 02", ""},
        {__LINE__, "on 1\ron 2\r", include, 2, "0A 00 01 0A 00 02", ""},
        {__LINE__, "on 1\ron 2", include, 2, "0A 00 01 0A 00 02", ""},
        {__LINE__, "on 1\n\non 2", include, 2, "0A 00 01 0A 00 02", ""},
        {__LINE__, "on 1\r\ron 2\n\r\n", include, 2, "0A 00 01 0A 00 02", ""},
        // a character beyond ISO-8859-1 becomes '?'
        {__LINE__, "send \"\xE2\x82\xAC\"\n", include, 1, "41 01 3F", ""},
        // included files are not searched for includes
        {__LINE__, "#include \"b.tqc\"\r\non 1\r\n", include, 2, "0A 00 01", ""},
        // defines and marks of an include serve the whole script
        {__LINE__, "#define ;LED 7\r\n::sub\r\nreturn\r\n", {"on ;LED", "retjump sub", include[0]}, 5,
         "0A 00 07 12 00 06 13", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        File("inc.tqc", row.inc);
        Compile(c_, row.script);
        EXPECT_EQ(data.lineCount, row.lines);
        EXPECT_EQ(Image(), row.image);
        EXPECT_EQ(Errors(), row.errors);
    }
}

TEST_F(Include, Utf8AndLatin1TwinsCompileAlike) {
    File("utf8.tqc", "defvar z\xC3\xA4hler = 1\nsend \"\xC3\xA4\"\n#define ;GR\xC3\x96SSE 7\n");
    File("latin1.tqc", "defvar z\xE4hler = 1\nsend \"\xE4\"\n#define ;GR\xD6SSE 7\n");
    File("bom.tqc", "\xEF\xBB\xBF" "defvar z\xC3\xA4hler = 1\nsend \"\xC3\xA4\"\n#define ;GR\xC3\x96SSE 7\n");
    for (const std::string file : {"utf8.tqc", "latin1.tqc", "bom.tqc"}) {
        SCOPED_TRACE(file);
        Compile(c_, {"#include \"" + file + "\"", "setvar z\xC3\xA4hler=;GR\xC3\x96SSE"});
        EXPECT_EQ(Errors(), "");
        EXPECT_EQ(Image(), "01 00 00 01 41 01 E4 01 00 00 07");
        ASSERT_EQ(data.variableCount, 1);
        EXPECT_EQ(U(data.variableName[0]), "z\xC3\xA4hler");
        ASSERT_EQ(data.defineCount, 1);
        EXPECT_EQ(U(data.defineName[0]), ";GR\xC3\x96SSE");
    }
}

}  // namespace
