// tqc-cli compile, run as a subprocess: error lines, summary, exit status, image and JSON; the
// listing is compared with the reviewed ones by GoldenTest.cpp.
#include "CompileHelpers.h"
#include "../support/Process.h"

#include <tuple>
#include <vector>

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
    static std::string Summary(int variables, int cells) {
        return "defvar: " + std::to_string(variables) + " / 255  defstr: 0 / 20  Speicher defstr: 0 / 1000  "
               "Speicher Programm: " + std::to_string(cells) + " / 32000\n";
    }
    std::string dir_ = MakeTempDir();
};

// Lines end in CR, CR LF or LF (LF CR LF is two line ends); the last line needs none.
TEST_F(Cli, ErrorsGoToStderrInErrorWindowOrder) {
    const std::string path =
        Script("bad.tqc", "on 1\r\rfoo\rdefvar x = 0\n\r\n#include \"nope.tqc\"\r\nif x=1\non 9999");
    const proc::Result r = Run({"compile", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, path + ":3: error: Fehler in der Zeile\n" + path + ":6: error: include Datei nicht vorhanden \n" +
                         path + ":8: error: Wert ausserhalb des Wertebereich\n" + path +
                         ": error: Anzahl if > endif\n");
    EXPECT_EQ(r.out, Summary(1, 14));
}

TEST_F(Cli, BadCallsExitWithTwo) {
    const std::string ok = Script("ok.tqc", "on 1\n"), missing = dir_ + "/gibtsnicht.tqc";
    const struct {
        int line;
        std::vector<std::string> args;
        std::string named;  // the stderr message names this
    } rows[] = {
        {__LINE__, {"compile", missing}, missing}, {__LINE__, {"compile", ok, "--bogus"}, "--bogus"},
        {__LINE__, {"compile"}, "compile"},        {__LINE__, {"compile", ok, "-o"}, "-o"},
        {__LINE__, {"kompiliere", ok}, "kompiliere"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const proc::Result r = Run(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(row.named), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("defvar: "), std::string::npos);
    }
}

// A clean script, its include looked up beside it: only the summary on stdout, the image as raw bytes.
TEST_F(Cli, CleanScriptWritesTheImageAsRawBytes) {
    Script("inc.tqc", "send \"A[00]\"\n");
    const std::string path = Script("img.tqc", "on 1023\r\n#include \"inc.tqc\"\r\nreturn\r\n");
    const std::string image = dir_ + "/out.bin";
    const proc::Result r = Run({"compile", path, "-o", image});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadBytes(image), std::string("\x0A\x03\xFF\x41\x02\x41\x00\x13", 8));
    EXPECT_EQ(r.out, Summary(0, 8));

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

// Whitespace outside JSON strings removed, so that the structure compares as one text.
std::string CompactJson(const std::string& json) {
    std::string out;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString && c == '\\' && i + 1 < json.size()) {
            out += c;
            out += json[++i];
            continue;
        }
        if (c == '"') inString = !inString;
        if (inString || (c != ' ' && c != '\n' && c != '\r' && c != '\t')) out += c;
    }
    return out;
}

// The same report from a Latin-1 and a UTF-8 script; a clean one has empty lists.
TEST_F(Cli, JsonReport) {
    const std::string body = "=1\r\ndefstr s,5\r\n#define ;X 5\r\n::m\r\nfoo\r\ncalc z";
    const std::string tail = "=y+99999\r\n#include kein\r\nif z";
    const std::string latin1 = "defvar z\xE4hler" + body + "\xE4hler" + tail + "\xE4hler=1\r\n";
    const std::string utf8 = "defvar z\xC3\xA4hler" + body + "\xC3\xA4hler" + tail + "\xC3\xA4hler=1\r\n";
    const std::string expected =
        "{\"outputCount\":14,\"image\":[1,0,0,1,2,0,5,50,0,10,0,1,0,0],\"errorCount\":5,"
        "\"errors\":[{\"line\":5,\"text\":\"Fehler in der Zeile\"},"
        "{\"line\":6,\"text\":\"Wert ausserhalb des Wertebereich\"},"
        "{\"line\":7,\"text\":\"Fehler in der Zeile, \\\"\\\" fehlen? \"},"
        "{\"line\":99999,\"text\":\"Anzahl if > endif\"}],"
        "\"variables\":[\"z\xC3\xA4hler\"],\"strings\":[\"s\"],\"marks\":[\"m\"],\"defines\":[\";X\"]}";
    const std::string clean = "{\"outputCount\":0,\"image\":[],\"errorCount\":0,\"errors\":[],\"variables\":[],"
                              "\"strings\":[],\"marks\":[],\"defines\":[]}";
    using Row = std::tuple<std::string, int, std::string>;  // script, exit status, report
    for (const auto& [bytes, status, json] : {Row(latin1, 1, expected), Row(utf8, 1, expected), Row("", 0, clean)}) {
        SCOPED_TRACE(bytes.size());
        const proc::Result r = Run({"compile", Script("j.tqc", bytes), "--json"});
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(CompactJson(r.out), json);
    }
}

}  // namespace
