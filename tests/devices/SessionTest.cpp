// Program transfer and module exchange against the simulated devices: every byte on the line and
// its speed, labels, log texts and waits; the dialogues that end early are data, in dialogues.json.
#include "../support/Bytes.h"
#include "../support/Files.h"
#include "../support/PtyMaster.h"
#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "konfig/ModuleExchange.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Rows = std::vector<std::pair<int, int>>;  // {key, LED} per row of a module record
using Sim = SimulatedController;
using Json = nlohmann::json;

// Everything a session reports: log texts, waits ("[wait N]") and the emptied log ("[clear]") in
// order in `events`; labels with runs of "W: n" / "R: n" that count up by one as "W: 0-127".
// The line on the time per byte, which varies from run to run, goes to `timing` instead.
struct Recorder {
    std::string events, openReports, timing;
    std::vector<std::string> labels;
    int pumps = 0, lastNumber = -1;
    std::function<void()> onPump;

    void Label(const std::string& s) {
        const std::string kind = s.substr(0, 3);
        const int n = kind == "W: " || kind == "R: " ? std::stoi(s.substr(3)) : -1;
        if (n >= 0 && !labels.empty() && labels.back().rfind(kind, 0) == 0 && n == lastNumber + 1)
            labels.back() = labels.back().substr(0, labels.back().find('-')) + "-" + std::to_string(n);
        else
            labels.push_back(s);
        lastNumber = n;
    }
    std::string Labels() const {
        std::string all;
        for (const std::string& label : labels) all += (all.empty() ? "" : "|") + label;
        return all;
    }
    std::string LastLabel() const { return labels.empty() ? "" : labels.back(); }
    void Wire(SerialSession& s) {
        s.label = [this](const wxString& text) { Label(text.utf8_string()); };
        s.log = [this](const wxString& text) {
            (text.StartsWith("Antwortzeit ") ? timing : events) += text.utf8_string();
        };
        s.clearLog = [this] { events += "[clear]"; };
        s.sleep = [this](int ms) { events += "[wait " + std::to_string(ms) + "]"; };
        s.pump = [this] {
            ++pumps;
            if (onPump) onPump();
        };
        s.openFailed = [this](int code, const wxString& why) {
            openReports += std::to_string(code) + " " + why.utf8_string();
        };
    }
};

// Every low byte, also those a cooked line would eat, in cells that carry high bits or are
// negative; the cells after outputCount fill the last block, so they get the pattern as well.
void FillImage(int count) {
    for (int i = 0; i < kImageCells; ++i) data.outputValue[i] = ((i * 37 + i / 256 + 5) & 0xFF) + (i % 3 - 1) * 256;
    data.outputCount = count;
}

int Blocks(int count) { return count == 0 ? 1 : (count + 127) / 128; }

// What the loader must receive for the current image when it ignores the first `ignored` requests.
std::string ExpectedLine(int ignored = 0) {
    const int count = data.outputCount;
    std::string line;
    for (int r = 0; r <= ignored; ++r) line += "(***:PROG)";
    line += {static_cast<char>(count / 256), static_cast<char>(count % 256)};
    for (int b = 0; b < Blocks(count); ++b) {
        for (int k = 0; k < 128; ++k) line += static_cast<char>(data.outputValue[b * 128 + k]);
        line += b + 1 < Blocks(count) ? 'N' : 'E';
    }
    return line + std::string(count, '?');
}

// Rows 1 to 20 with key 1000 + r*257 and LED r: the high bytes differ from the low ones, so a
// swap shows; row 1 as a module numbered 19 / 18 sends it, row 20 with both bytes at their top.
Rows SampleRows() {
    Rows rows{{19, 18}};
    for (int r = 2; r < 20; ++r) rows.emplace_back(1000 + r * 257, r);
    rows.emplace_back(65535, 0x8001);
    return rows;
}

// The requests in `line`, each with its speed: the module's at 38400, the others at 115200.
std::vector<std::string> Requests(const std::string& line) {
    std::vector<std::string> requests;
    for (size_t at = line.find("(***:"); at != std::string::npos; at = line.find("(***:", at + 10)) {
        const std::string request = line.substr(at, 10);
        requests.push_back(request + (request == "(***:CONN)" || request == "(***:KONR)" || request == "(***:KONW)"
                                          ? "@38400"
                                          : "@115200"));
    }
    return requests;
}

// A text of dialogues.json as bytes: each character 0-255 stands for one byte.
std::string Bytes8(const Json& text) {
    std::string bytes;
    for (const wxUniChar c : wxString::FromUTF8(text.get<std::string>()))
        bytes.push_back(static_cast<char>(c.GetValue()));
    return bytes;
}

// A simulator that goes wrong as "fault" says ("PHASE [INDEX] [mute]": silent when mute, else
// answering a wrong byte), ignores the first "silent" requests, answering "noise", and takes the
// options of `tqc-cli simulate` in "sim".
Sim::Options OptionsOf(const Json& dialogue) {
    const auto& phases = kSimulatedPhaseNames;
    Sim::Options options;
    std::istringstream fault(dialogue.value("fault", "None")), sim(dialogue.value("sim", ""));
    std::string phase, problem;
    EXPECT_TRUE(ParseSimulatedOptions({std::istream_iterator<std::string>(sim), {}}, options, problem)) << problem;
    fault >> phase >> options.faultIndex;  // without an index (only "mute" or nothing after the phase) 0
    const auto named = std::find(std::begin(phases), std::end(phases), phase);
    EXPECT_NE(named, std::end(phases)) << "no phase " << phase;
    options.faultPhase = static_cast<Sim::Phase>(named - std::begin(phases));
    options.faultMute = dialogue.value("fault", "").find("mute") != std::string::npos;
    options.silentRequests = dialogue.value("silent", 0);
    options.silentReply = Bytes8(dialogue.value("noise", ""));
    const std::string sample = ModuleRecord(SampleRows());
    options.moduleRecord.assign(sample.begin(), sample.end());
    return options;
}

// `events` is `before`, then the one line that names the lost port and the reason in parentheses.
void ExpectLostPort(const std::string& events, const std::string& before, const wxString& port) {
    const std::string head = before + "Port Fehler: " + port.utf8_string() + " ist nicht mehr erreichbar (";
    ASSERT_EQ(events.substr(0, head.size()), head);
    const std::string reason = events.substr(head.size());
    EXPECT_TRUE(reason.size() > 2 && reason.find('\n') == reason.size() - 1 && reason.find(")\n") == reason.size() - 2)
        << events;
}

// Each test starts with the port closed; the sessions take their port and stop flag from here.
class Session : public ::testing::Test {
protected:
    void SetUp() override {
        ::alarm(30);  // an exchange that misses a stop or a failure waits for ever: end the binary
        comport.Close();
    }
    void TearDown() override {
        ::alarm(0);
        comport.Close();
    }
    // A simulator with `options` as port_, an empty recorder, the stop flag at 0.
    void StartSim(const Sim::Options& options) {
        ::alarm(30);  // each exchange anew: a table of them may take longer than one
        stop_ = 0;
        sim_.reset();
        sim_ = std::make_unique<Sim>(options);
        EXPECT_TRUE(sim_->Start()) << sim_->ErrorText().utf8_string();
        port_ = sim_->SlavePath();
        rec_ = Recorder();
    }
    ProgramTransfer Transfer() { return {port_, {data.outputValue, kImageCells, data.outputCount}, stop_}; }
    // What the devices received once `count` bytes are in (at most 2 s), and 20 ms more so that
    // bytes beyond them would show.
    std::string ReceivedWhenIn(size_t count) const {
        for (int i = 0; i < 400 && sim_->Received().size() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto received = sim_->Received();
        return std::string(received.begin(), received.end());
    }

    std::unique_ptr<Sim> sim_;
    Recorder rec_;
    wxString port_;
    int stop_ = 0;
};

// The texts that attempt `a` of a transfer adds while the loader stays silent.
std::string Hint(int a) {
    if (a == 5 || a == 30) return "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n";
    if (a == 20) return "TqP-Port zum programmieren nutzen\nRichtiger Comport gewählt ?\n\n";
    return a == 50 ? "Stop/Clear oder Close zum abbrechen\n" : "";
}

// The loader's ">" may come at any of the three reads of an attempt, after line noise that the
// read drains; an ignored request is repeated after the third. A click that comes through the
// pump does nothing at all. The phases and the time per byte are shown as the transfer goes.
TEST_F(Session, TransferSendsAndVerifiesOnceTheLoaderAnswers) {
    const struct {
        int line, count, ignored;
        std::string noise, prefix;
    } rows[] = {{__LINE__, 0, 0, "", ""},
                {__LINE__, 1, 0, "", ""},
                {__LINE__, 127, 0, "", ""},
                {__LINE__, 128, 0, "", ""},
                {__LINE__, 129, 0, "", ""},
                {__LINE__, 32000, 0, "", ""},
                {__LINE__, 2, 0, "", "x"},
                {__LINE__, 2, 0, "", std::string("\0<", 2)},
                {__LINE__, 2, 0, "", std::string(40, '\x55')},  // power-up noise, all before the first read's end
                {__LINE__, 2, 20, std::string("\x01\0<", 3), ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const int count = row.count, written = Blocks(count) * 128;
        Sim::Options options;
        options.silentRequests = row.ignored;
        options.silentReply = row.noise;
        options.connectPrefix = row.prefix;
        FillImage(count);
        StartSim(options);
        ProgramTransfer transfer = Transfer();
        rec_.Wire(transfer);
        std::vector<std::vector<int>> progress;
        transfer.progress = [&](int s, int v, int n) { progress.push_back({s, v, n}); };
        std::vector<std::string> phases;
        transfer.phase = [&](const wxString& text, int) { phases.push_back(text.utf8_string()); };
        rec_.onPump = [this] {
            ProgramTransfer nested = Transfer();
            EXPECT_TRUE(!nested.Run() && nested.LastResult() == ProgramTransfer::Result::Ignored);
        };
        ASSERT_TRUE(transfer.Run());
        EXPECT_GT(rec_.pumps, count);  // the window answers while the image is read back
        EXPECT_EQ(transfer.LastResult(), ProgramTransfer::Result::Ok);
        EXPECT_EQ(transfer.ConnectAttempts(), row.ignored + 1);
        EXPECT_TRUE(ReceivedWhenIn(0) == ExpectedLine(row.ignored)) << "bytes on the line differ";
        std::string labels, events = "[clear][wait 100]Programmiervorgang Start\nwarten auf Verbindung\n\n";
        for (int miss = 0; miss < 2 * row.ignored; ++miss) labels += miss % 2 ? "----|" : "wait|";
        for (int a = 1; a <= row.ignored + 1; ++a) events += Hint(a) + (a <= row.ignored ? "[wait 200][wait 200]" : "");
        EXPECT_TRUE(std::regex_match(
            rec_.timing,
            std::regex("Antwortzeit [0-9]+,[0-9] ms je Byte, die Übertragung dauert (etwa [0-9]+|unter 1) s\n")))
            << rec_.timing;
        const std::string last = count ? "Prüfe 100 %" : "Übertrage 100 %";
        ASSERT_TRUE(phases.size() > 2 && phases.front() == "Warte auf Steuerung" && phases.back() == last);
        EXPECT_TRUE(std::regex_match(phases[1], std::regex("Übertrage 0 %, noch ([0-9]+|unter 1) s"))) << phases[1];
        EXPECT_LE(phases.size(), 203u);  // once per percent and phase
        const std::string reads = count == 0 ? "" : "R: 0" + (count > 1 ? "-" + std::to_string(count - 1) : "") + "|";
        EXPECT_EQ(rec_.Labels(), labels + "H-Byte|L-Byte|W: 0-" + std::to_string(written - 1) + "|" + reads + "OK");
        EXPECT_EQ(rec_.events, events + "Programmierung OK\n[wait 800]");
        ASSERT_EQ(progress.size(), static_cast<size_t>(written + count));
        EXPECT_EQ(progress.back(), (std::vector<int>{count, count, count}));
        EXPECT_EQ(progress[written - 1], (std::vector<int>{count, 0, count}));  // sent never beyond the image
        EXPECT_TRUE(stop_ == 0 && !comport.IsOpen());
    }
}

// Stop/Clear ("stop") or a pulled adapter ("pull") come at that pump, or at that pump after label
// "after", and are seen at the next check. Every pump clicks again, which must do nothing; a
// failed transfer leaves the stop flag at 1 (failed until Stop/Clear).
TEST_F(Session, EveryDialogueEndsAsWritten) {
    const Json dialogues = Json::parse(files::Source("tests/devices/dialogues.json"), nullptr, true, true);
    ASSERT_GE(dialogues.size(), 43u);
    const char* const transferResults[] = {"Ignored", "Ok", "Stopped", "Failed", "PortFailed", "TooLarge"};
    const char* const exchangeResults[] = {"Ignored", "Ok", "Failed", "Invalid"};
    using Exchange = ModuleExchange::Result;
    for (const Json& dialogue : dialogues) {
        SCOPED_TRACE(dialogue.dump().substr(0, 200));
        const std::string call = dialogue["call"], after = dialogue.value("after", "");
        const bool program = call == "program", stop = dialogue.contains("stop"), pull = dialogue.contains("pull");
        const int act = dialogue.value(stop ? "stop" : "pull", 0);
        FillImage(dialogue.value("too large", false) ? kProgramMemory + 1 : 200);
        StartSim(OptionsOf(dialogue));
        if (dialogue.value("no port", false)) port_ = "/dev/tqc-no-such-port";
        // A number of bytes of the whole transfer, or the bytes themselves; a write's record after them.
        std::string line = dialogue["line"].is_number()
                               ? ExpectedLine(dialogue.value("silent", 0)).substr(0, dialogue["line"].get<size_t>())
                               : Bytes8(dialogue["line"]);
        if (dialogue.contains("record")) line += ModuleRecord(dialogue["record"].get<Rows>());
        ProgramTransfer transfer = Transfer();
        ModuleExchange exchange(port_);
        rec_.Wire(program ? static_cast<SerialSession&>(transfer) : exchange);
        int seen = -1, quiet = 0;
        bool ignored = true;
        rec_.onPump = [&] {
            if (program && stop_ == 1) {
                ProgramTransfer again = Transfer();
                ignored = ignored && !again.Run() && again.LastResult() == ProgramTransfer::Result::Ignored;
            } else if (!program) {
                ModuleExchange again(port_);
                KonfigValues values{};
                ignored = ignored && ModuleExchange::Busy() && again.Connect() == Exchange::Ignored &&
                          again.Read(values) == Exchange::Ignored && again.Write(KonfigTexts()) == Exchange::Ignored;
            }
            if (seen >= 0) {
                ++seen;
            } else if ((stop || pull) &&
                       (after.empty() ? rec_.pumps == act : rec_.LastLabel() == after && ++quiet == act)) {
                seen = 0;
                if (stop) stop_ = 0;
                if (!pull) return;
                ReceivedWhenIn(line.size());  // what goes out before the pull is on the line
                sim_->Vanish();
            }
        };
        KonfigTexts fields;
        for (size_t r = 0; r < dialogue.value("rows", Json::array()).size(); ++r) {
            fields.taster[r] = wxString::FromUTF8(dialogue["rows"][r][0].get<std::string>());
            fields.led[r] = wxString::FromUTF8(dialogue["rows"][r][1].get<std::string>());
        }
        KonfigValues values{};
        values.fill({7, 8});
        const auto start = std::chrono::steady_clock::now();
        Exchange exchanged = Exchange::Ignored;
        transfer.answerTimeoutMs = dialogue.value("timeout", transfer.answerTimeoutMs);
        if (program)
            transfer.Run();
        else
            exchanged = call == "connect" ? exchange.Connect()
                        : call == "read"  ? exchange.Read(values)
                                          : exchange.Write(fields);
        const std::string result = program ? transferResults[static_cast<int>(transfer.LastResult())]
                                           : exchangeResults[static_cast<int>(exchanged)];
        const long long ms = MillisecondsSince(start);
        EXPECT_EQ(result, dialogue["result"].get<std::string>());
        EXPECT_FALSE(comport.IsOpen() || ModuleExchange::Busy());
        EXPECT_TRUE(ignored);
        EXPECT_EQ(rec_.pumps == 0, result == "Invalid" || result == "TooLarge");
        EXPECT_EQ(rec_.Labels(), dialogue.value("labels", ""));
        EXPECT_EQ(seen, dialogue.value("seen", stop || pull ? 0 : -1));
        EXPECT_EQ(stop_, program && !stop && (result == "Failed" || result == "PortFailed") ? 1 : 0);
        EXPECT_LT(ms, 1000);
        EXPECT_TRUE(!stop || after.empty() || ms >= 100) << ms;  // the quiet reads waited out their time
        EXPECT_EQ(rec_.openReports,
                  dialogue.value("no port", false) ? std::to_string(ENOENT) + " " + std::strerror(ENOENT) : "");
        const std::string log = dialogue["log"];
        if (pull)
            ExpectLostPort(rec_.events, log, port_);
        else
            EXPECT_EQ(rec_.events, log);
        EXPECT_EQ(HexBytes(ReceivedWhenIn(line.size())), HexBytes(line));
        EXPECT_EQ(sim_->RequestLog(), Requests(line));
        Rows got;
        for (const KonfigPair& pair : values) got.emplace_back(pair.taster, pair.led);
        EXPECT_EQ(got, call == "read" && result == "Ok" ? SampleRows() : Rows(20, {7, 8}));
        EXPECT_EQ(
            HexBytes(sim_->ModuleRecord()),
            HexBytes(ModuleRecord(call == "write" && result == "Ok" ? dialogue["record"].get<Rows>() : SampleRows())));
    }
}

// A field that is no number 0 to 65535 is named with its row, and the write stops before the port
// is touched (what such a write leaves on the line and in the fields is a dialogue).
TEST(ModuleFields, EveryTextThatIsNoNumberStopsTheWrite) {
    for (const char* bad : {"abc", "-1", "65536", "1.5", "12a", "+5", "4294967296", "1 2", "³"}) {
        KonfigTexts fields;
        fields.led[6] = wxString::FromUTF8(bad);
        ModuleExchange exchange("/dev/tqc-no-such-port");
        Recorder rec;
        rec.Wire(exchange);
        EXPECT_EQ(exchange.Write(fields), ModuleExchange::Result::Invalid) << bad;
        EXPECT_EQ(rec.events,
                  "Zeile 7 Led: \"" + std::string(bad) + "\" ist keine Zahl von 0 bis 65535\nNichts gesendet\n\n");
    }
}

// The time per byte with German decimals; the adapter's setting only where it can be changed
// (Windows) and only when the answers take longer than 4 ms.
TEST(TransferLatency, TextNamesTheTimeAndTheAdapterSetting) {
    const std::string line = "Antwortzeit %s ms je Byte, die Übertragung dauert %s\n";
    const std::string hint =
        "Der Adapter antwortet langsam: im Geräte-Manager beim Adapter unter "
        "Anschlusseinstellungen > Erweitert den Latency Timer auf 1 ms stellen.\n";
    const struct {
        int line;
        double ms, seconds;
        bool windows;
        std::string ms_, s_;
        bool hinted;
    } rows[] = {{__LINE__, 0.04, 0.6, true, "0,0", "unter 1 s", false},
                {__LINE__, 4.0, 263.9, true, "4,0", "etwa 264 s", false},
                {__LINE__, 4.06, 270, true, "4,1", "etwa 270 s", true},
                {__LINE__, 16.4, 1100, false, "16,4", "etwa 1100 s", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const std::string expected = wxString::Format(wxString::FromUTF8(line), row.ms_, row.s_).utf8_string();
        EXPECT_EQ(ProgramTransfer::LatencyText(row.ms, row.seconds, row.windows).utf8_string(),
                  expected + (row.hinted ? hint : ""));
    }
}

}  // namespace
