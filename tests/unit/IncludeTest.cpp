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

TEST_F(Include, ErrorsShowOnTheEditorLineOfTheInclude) {
    File("bad.tqc", "on 1\r\nfoo\r\non 9999\r\n");
    Compile(c_, {"on 5", "", "#include \"bad.tqc\"", "foo"});
    EXPECT_EQ(Errors(), "3:Fehler in der Zeile | 3:Wert ausserhalb des Wertebereich | 4:Fehler in der Zeile");
    EXPECT_EQ(Image(), "0A 00 05 0A 00 01");
}

TEST_F(Include, ShortLinesOfAnIncludeAreDropped) {
    File("inc.tqc", "x\r\n\r\n   \r\n\t;\r\nreturn\r\n");
    Compile(c_, {"#include \"inc.tqc\""});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "13");
    EXPECT_EQ(data.lineCount, 1);
    // the same one-character line typed in the editor is a line
    Compile(c_, {"x"});
    EXPECT_EQ(Errors(), "1:Fehler in der Zeile");
}

TEST_F(Include, TextAfterTheLastLineEndIsStoredWhenNotEmpty) {
    File("a.tqc", "on 1\r\non 2");
    File("b.tqc", "on 1\r\nx");
    Compile(c_, {"#include \"a.tqc\""});
    EXPECT_EQ(Image(), "0A 00 01 0A 00 02");
    EXPECT_EQ(Errors(), "");
    Compile(c_, {"#include \"b.tqc\""});
    EXPECT_EQ(data.lineCount, 2);
    EXPECT_EQ(Image(), "0A 00 01");
    EXPECT_EQ(Errors(), "1:Fehler in der Zeile");
}

TEST_F(Include, EveryKindOfLineEndSplitsLines) {
    const struct {
        int line;
        std::string bytes;
    } rows[] = {
        {__LINE__, "on 1\non 2\n"},
        {__LINE__, "on 1\r\non 2\r\n"},
        {__LINE__, "on 1\ron 2\r"},
        {__LINE__, "on 1\ron 2"},
        {__LINE__, "on 1\n\non 2"},
        {__LINE__, "on 1\r\ron 2\n\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        File("inc.tqc", row.bytes);
        Compile(c_, {"#include \"inc.tqc\""});
        EXPECT_EQ(Errors(), "");
        EXPECT_EQ(data.lineCount, 2);
        EXPECT_EQ(Image(), "0A 00 01 0A 00 02");
    }
}

TEST_F(Include, Utf8AndLatin1TwinsCompileAlike) {
    File("utf8.tqc", "defvar z\xC3\xA4hler = 1\nsend \"\xC3\xA4\"\n#define ;GR\xC3\x96SSE 7\n");
    File("latin1.tqc", "defvar z\xE4hler = 1\nsend \"\xE4\"\n#define ;GR\xD6SSE 7\n");
    File("bom.tqc", "\xEF\xBB\xBF" "defvar z\xC3\xA4hler = 1\nsend \"\xC3\xA4\"\n#define ;GR\xC3\x96SSE 7\n");
    const std::vector<std::string> mains[] = {
        {"#include \"utf8.tqc\"", "setvar z\xC3\xA4hler=;GR\xC3\x96SSE"},
        {"#include \"latin1.tqc\"", "setvar z\xC3\xA4hler=;GR\xC3\x96SSE"},
        {"#include \"bom.tqc\"", "setvar z\xC3\xA4hler=;GR\xC3\x96SSE"},
    };
    for (const auto& script : mains) {
        SCOPED_TRACE(script[0]);
        Compile(c_, script);
        EXPECT_EQ(Errors(), "");
        EXPECT_EQ(Image(), "01 00 00 01 41 01 E4 01 00 00 07");
        ASSERT_EQ(data.variableCount, 1);
        EXPECT_EQ(U(data.variableName[0]), "z\xC3\xA4hler");
        ASSERT_EQ(data.defineCount, 1);
        EXPECT_EQ(U(data.defineName[0]), ";GR\xC3\x96SSE");
    }
}

TEST_F(Include, CharacterBeyondLatin1BecomesQuestionMark) {
    File("inc.tqc", "send \"\xE2\x82\xAC\"\n");
    Compile(c_, {"#include \"inc.tqc\""});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "41 01 3F");
}

TEST_F(Include, IncludedFilesAreNotSearchedForIncludes) {
    File("a.tqc", "#include \"b.tqc\"\r\non 1\r\n");
    File("b.tqc", "on 2\r\n");
    Compile(c_, {"#include \"a.tqc\""});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "0A 00 01");
}

TEST_F(Include, DefinesAndMarksOfAnIncludeServeTheScript) {
    File("defs.tqc", "#define ;LED 7\r\n::sub\r\nreturn\r\n");
    Compile(c_, {"on ;LED", "retjump sub", "#include \"defs.tqc\""});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "0A 00 07 12 00 06 13");
}

}  // namespace
