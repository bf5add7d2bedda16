// tqc-cli compile, run as a subprocess: error lines, summary, exit status, image and JSON; the
// listing is compared with the reviewed ones by GoldenTest.cpp. A script file becomes lines (line
// ends, UTF-8 or ISO-8859-1) through the code that reads an include, checked by IncludeTest.cpp.
#include "CompileHelpers.h"
#include "../support/Process.h"

using namespace tqc_test;

namespace {

class Cli : public ::testing::Test {
protected:
    std::string Script(const std::string& name, const std::string& bytes) {
        WriteBytes(dir_ + "/" + name, bytes);
        return dir_ + "/" + name;
    }
    static proc::Result Run(std::vector<std::string> args) {
        args.insert(args.begin(), TQC_CLI);
        return proc::Run(args, "", 60);
    }
    std::string dir_ = MakeTempDir();
};

// The errors in the error window's order on stderr, the summary or the report on stdout; the
// report keeps the names' umlauts and escapes the quotes of an error text.
TEST_F(Cli, FaultyScriptGivesErrorsSummaryAndJson) {
    const std::string path = Script("bad.tqc", "defvar z\xC3\xA4hler=1\r\ndefstr s,5\r\n#define ;X 5\r\n::m\r\nfoo\r\n"
                                               "calc z\xC3\xA4hler=y+99999\r\n#include kein\r\nif z\xC3\xA4hler=1\r\n");
    const proc::Result r = Run({"compile", path}), json = Run({"compile", path, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, path + ":5: error: Fehler in der Zeile\n" + path + ":6: error: Wert ausserhalb des Wertebereich\n" +
                         path + ":7: error: Fehler in der Zeile, \"\" fehlen? \n" + path + ": error: Anzahl if > endif\n");
    EXPECT_EQ(r.out, "defvar: 1 / 255  defstr: 1 / 20  Speicher defstr: 5 / 1000  Speicher Programm: 14 / 32000\n");
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out,
              "{\"outputCount\": 14, \"image\": [1, 0, 0, 1, 2, 0, 5, 50, 0, 10, 0, 1, 0, 0], \"errorCount\": 5, "
              "\"errors\": [{\"line\": 5, \"text\": \"Fehler in der Zeile\"}, "
              "{\"line\": 6, \"text\": \"Wert ausserhalb des Wertebereich\"}, "
              "{\"line\": 7, \"text\": \"Fehler in der Zeile, \\\"\\\" fehlen? \"}, "
              "{\"line\": 99999, \"text\": \"Anzahl if > endif\"}], \"variables\": [\"z\xC3\xA4hler\"], "
              "\"strings\": [\"s\"], \"marks\": [\"m\"], \"defines\": [\";X\"]}\n");
}

TEST_F(Cli, BadCallsExitWithTwo) {
    const std::string ok = Script("ok.tqc", "on 1\n"), missing = dir_ + "/gibtsnicht.tqc";
    // the arguments, and what the stderr message names
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"compile", missing}, missing}, {{"compile", ok, "--bogus"}, "--bogus"}, {{"compile"}, "compile"},
        {{"compile", ok, "-o"}, "-o"},   {{"kompiliere", ok}, "kompiliere"}};
    for (const auto& [args, named] : rows) {
        const proc::Result r = Run(args);
        EXPECT_EQ(r.status, 2) << named;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("defvar: "), std::string::npos) << named;
    }
}

// A clean script, its include looked up beside it: nothing on stderr, the image as raw bytes, a
// report with empty lists.
TEST_F(Cli, CleanScriptWritesTheImageAsRawBytes) {
    Script("inc.tqc", "send \"A[00]\"\n");
    const std::string path = Script("img.tqc", "on 1023\r\n#include \"inc.tqc\"\r\nreturn\r\n"), image = dir_ + "/out.bin";
    const proc::Result r = Run({"compile", path, "-o", image, "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadBytes(image), std::string("\x0A\x03\xFF\x41\x02\x41\x00\x13", 8));
    EXPECT_EQ(r.out, "{\"outputCount\": 8, \"image\": [10, 3, 255, 65, 2, 65, 0, 19], \"errorCount\": 0, \"errors\": [], "
                     "\"variables\": [], \"strings\": [], \"marks\": [], \"defines\": []}\n");

    // An image beyond the program memory is still written, with a warning; the status stays 0.
    std::string lines;
    for (int i = 0; i < 10667; ++i) lines += "on 1\n";  // three cells each
    const std::string big = Script("big.tqc", lines);
    const proc::Result w = Run({"compile", big, "-o", image});
    EXPECT_EQ(w.status, 0);
    EXPECT_EQ(w.err, big + ": warning: Programm zu gro\xc3\x9f: 32001 Bytes, der Programmspeicher der Steuerung "
                           "fasst 32000 (1 zu viel)\n");
    EXPECT_EQ(ReadBytes(image).size(), 32001u);
}

}  // namespace
