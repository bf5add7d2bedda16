// The module configuration exchange against the simulated bus bridge and module on a
// pseudo-terminal: every byte on the line and the speed it was sent at, the log texts with the
// waits between them, the failure paths, the field checks and the port closed after every call.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "compiler/Data.h"
#include "konfig/ModuleExchange.h"
#include "serial/Comport.h"
#include "../support/SimSupport.h"

namespace {

using namespace simtest;
using Result = ModuleExchange::Result;

const std::string kPowerCycle =
    "\n- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n"
    "- innerhalb ca. 2 Sek. auf Connect clicken\n\n";
const std::string kConnected =
    "Verbindung OK\n\n- Modul(e) blinken\n- Mit Tasterdruck (ca. 1 Sek.) Modul ausw\xC3\xA4hlen\n"
    "- Nur 1 Modul ausw\xC3\xA4hlen !\n- Read / Write sind aktiv\n\n";
const std::string kBridgeOk = "TqP-Br\xC3\xBC" "cke OK\n";
const std::string kReadFailed = "Fehler beim lesen\nModul ausgew\xC3\xA4hlt?\n\n";
const std::string kWriteRefused = "Fehler beim schreiben\nModul ausgew\xC3\xA4hlt?\n\n";

Bytes ToBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

std::string Hex(const Bytes& bytes) {
    std::string out;
    char cell[4];
    for (unsigned char b : bytes) {
        snprintf(cell, sizeof cell, "%02X ", b);
        out += cell;
    }
    return out;
}

// Everything an exchange reports, in order, as one string: log texts as they are, each wait as
// "[wait N]", the emptying of the log as "[clear]".
struct Recorder {
    std::string events;
    int pumps = 0;
    std::function<void()> onPump;

    void Wire(ModuleExchange& exchange) {
        exchange.log = [this](const wxString& s) { events += Utf8(s); };
        exchange.clearLog = [this] { events += "[clear]"; };
        exchange.sleep = [this](int ms) { events += "[wait " + std::to_string(ms) + "]"; };
        exchange.pump = [this] {
            ++pumps;
            if (onPump)
                onPump();
        };
    }
};

class KonfigExchange : public ::testing::Test {
protected:
    void SetUp() override { comport.Close(); }
    void TearDown() override {
        comport.Close();
        data.programComport = savedPort_;
    }

    // A simulator with `options` on a fresh pseudo-terminal, the port the exchanges use.
    Sim& StartSim(const Sim::Options& options = {}) {
        sim_ = std::make_unique<Sim>(options);
        EXPECT_TRUE(sim_->Start()) << Utf8(sim_->ErrorText());
        data.programComport = sim_->SlavePath();
        return *sim_;
    }

    // An exchange that reports to recorder_, which starts empty.
    ModuleExchange Exchange() {
        recorder_.events.clear();
        recorder_.pumps = 0;
        ModuleExchange exchange;
        recorder_.Wire(exchange);
        return exchange;
    }

    // The bytes the devices received once `count` of them are in (or what came within 2 s).
    static Bytes ReceivedWhenIn(const Sim& sim, size_t count) {
        for (int i = 0; i < 400 && sim.Received().size() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        // A little longer, so that bytes beyond the expected ones would show up too.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return sim.Received();
    }

    std::unique_ptr<Sim> sim_;
    Recorder recorder_;
    wxString savedPort_ = data.programComport;
};

Bytes ConnectLine(bool moduleAsked) {
    Bytes line = ToBytes("(***:BUSW)");
    line.insert(line.end(), {0x03, 0x02, 0xFF, 0x00});
    for (const char* request : {"(***:RSTQ)", moduleAsked ? "(***:CONN)" : ""})
        for (const char* c = request; *c; ++c)
            line.push_back(static_cast<unsigned char>(*c));
    return line;
}

// Connect resets the bridge, then selects the module at the module's speed; a failure on the way
// ends with the power-cycle advice.
TEST_F(KonfigExchange, ConnectResetsTheBridgeThenSelectsAtTheModuleSpeed) {
    struct Row {
        int line;
        Sim::Phase phase;
        bool mute;
        std::string log;  // after "warte auf Verbindung\n" and the first wait
        bool moduleAsked;
        Result result;
    };
    const std::string noBridge = "Verbindung Fehler\n" + kPowerCycle;
    const std::string bridgeOk = "[wait 100]" + kBridgeOk + "[wait 300]";
    const std::string noModule = bridgeOk + "Verbindung Modul Fehler\n" + kPowerCycle;
    const Row rows[] = {
        {__LINE__, Sim::Phase::None, false, bridgeOk + kConnected, true, Result::Ok},
        {__LINE__, Sim::Phase::BridgeO, true, noBridge, false, Result::Failed},  // no bridge on the line
        {__LINE__, Sim::Phase::BridgeO, false, noBridge, false, Result::Failed},
        {__LINE__, Sim::Phase::BridgeK, true, "[wait 100]" + noBridge, false, Result::Failed},
        {__LINE__, Sim::Phase::BridgeK, false, "[wait 100]" + noBridge, false, Result::Failed},
        {__LINE__, Sim::Phase::ModuleConnect, true, noModule, true, Result::Failed},  // bridge without module
        {__LINE__, Sim::Phase::ModuleConnect, false, noModule, true, Result::Failed},
    };
    const std::vector<std::string> requests = {"(***:BUSW)@115200", "(***:RSTQ)@115200", "(***:CONN)@38400"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Sim& sim = StartSim(Fault(row.phase, 0, row.mute));
        ModuleExchange exchange = Exchange();
        EXPECT_EQ(exchange.Connect(), row.result);
        EXPECT_EQ(recorder_.events,
                  "[clear][wait 100]Reset Modul\n[wait 300]warte auf Verbindung\n[wait 300]" + row.log);
        EXPECT_FALSE(comport.IsOpen());
        const Bytes expected = ConnectLine(row.moduleAsked);
        EXPECT_EQ(Hex(ReceivedWhenIn(sim, expected.size())), Hex(expected));
        const size_t asked = row.moduleAsked ? 3 : 2;
        EXPECT_EQ(sim.RequestLog(), std::vector<std::string>(requests.begin(), requests.begin() + asked));
    }
}

using Rows = std::vector<std::pair<int, int>>;  // {key, LED} per row

// The rows as the line carries them: 4 bytes per row, key then LED, each high byte first.
Bytes Packed(const Rows& rows) {
    Bytes bytes;
    for (const auto& row : rows)
        for (int n : {row.first, row.second})
            bytes.insert(bytes.end(), {static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n & 0xFF)});
    return bytes;
}

// Rows 1 to 20 with key 1000 + r*257 and LED r: the high bytes differ from the low ones, so a swap shows.
Rows SampleRows() {
    Rows rows;
    for (int r = 1; r <= 20; ++r) rows.emplace_back(1000 + r * 257, r);
    return rows;
}

TEST_F(KonfigExchange, ReadTakesTheTwentyRowsFromTheEightyBytes) {
    Rows rows = SampleRows();
    rows.front() = {19, 18};  // as a module numbered 19 / 18 sends it
    rows.back() = {65535, 0x8001};
    Sim::Options options;
    options.moduleRecord = Packed(rows);
    Sim& sim = StartSim(options);
    ModuleExchange exchange = Exchange();
    KonfigValues values{};
    EXPECT_EQ(exchange.Read(values), Result::Ok);
    EXPECT_EQ(recorder_.events, "[wait 300]Lesen OK\n\n");
    Rows got;
    for (const KonfigPair& pair : values) got.emplace_back(pair.taster, pair.led);
    EXPECT_EQ(got, rows);
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_EQ(Hex(ReceivedWhenIn(sim, 10)), Hex(ToBytes("(***:KONR)")));
    EXPECT_EQ(sim.RequestLog(), std::vector<std::string>{"(***:KONR)@38400"});
}

TEST_F(KonfigExchange, ReadWithoutPromptOrWithShortDataLeavesTheValues) {
    struct Row {
        int line;
        Sim::Phase phase;
        int index;
        bool mute;
    };
    const Row rows[] = {
        {__LINE__, Sim::Phase::ReadPrompt, 0, true},   // no module selected
        {__LINE__, Sim::Phase::ReadPrompt, 0, false},  // something else answers
        {__LINE__, Sim::Phase::ReadData, 0, true},     // prompt, then nothing
        {__LINE__, Sim::Phase::ReadData, 1, true},
        {__LINE__, Sim::Phase::ReadData, 79, true},    // one byte short
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Sim::Options options = Fault(row.phase, row.index, row.mute);
        options.moduleRecord = Packed(SampleRows());
        StartSim(options);
        ModuleExchange exchange = Exchange();
        KonfigValues values{};
        for (KonfigPair& pair : values)
            pair = {7, 8};
        EXPECT_EQ(exchange.Read(values), Result::Failed);
        EXPECT_EQ(recorder_.events, "[wait 300]" + kReadFailed);
        for (const KonfigPair& pair : values) {
            EXPECT_EQ(pair.taster, 7);
            EXPECT_EQ(pair.led, 8);
        }
        EXPECT_FALSE(comport.IsOpen());
    }
}

KonfigTexts Fields(const std::vector<std::pair<const char*, const char*>>& rows) {
    KonfigTexts fields;
    for (size_t r = 0; r < rows.size(); ++r) {
        fields.taster[r] = wxString::FromUTF8(rows[r].first);
        fields.led[r] = wxString::FromUTF8(rows[r].second);
    }
    return fields;
}

// "(***:KONW)", then 4 bytes per given row (rows not given 0), then 40 zero bytes.
Bytes WriteLine(Rows rows) {
    rows.resize(20, {0, 0});
    Bytes line = ToBytes("(***:KONW)"), record = Packed(rows);
    line.insert(line.end(), record.begin(), record.end());
    line.insert(line.end(), 40, 0x00);
    return line;
}

TEST_F(KonfigExchange, WriteSendsTheRecordAndTheModuleConfirms) {
    struct Row {
        int line;
        std::vector<std::pair<const char*, const char*>> fields;
        Rows sent;
    };
    const Row rows[] = {
        {__LINE__, {{"300", "5"}}, {{300, 5}}},
        {__LINE__, {{"", ""}, {"", "1"}}, {{0, 0}, {0, 1}}},  // empty is 0
        {__LINE__, {{" 42 ", "007"}, {"65535", "256"}, {"13", "10"}}, {{42, 7}, {65535, 256}, {13, 10}}},
        // Clear: every field "0", so the whole record is zero.
        {__LINE__, std::vector<std::pair<const char*, const char*>>(20, {"0", "0"}), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Sim& sim = StartSim();
        ModuleExchange exchange = Exchange();
        EXPECT_EQ(exchange.Write(Fields(row.fields)), Result::Ok);
        EXPECT_EQ(recorder_.events, "[wait 300][wait 100][wait 1000]schreiben OK\n\n");
        EXPECT_FALSE(comport.IsOpen());
        const Bytes expected = WriteLine(row.sent);
        EXPECT_EQ(Hex(ReceivedWhenIn(sim, expected.size())), Hex(expected));
        EXPECT_EQ(Hex(sim.ModuleRecord()), Hex(Bytes(expected.begin() + 10, expected.end())));
        EXPECT_EQ(sim.ModuleWrites(), 1);
        EXPECT_EQ(sim.RequestLog(), std::vector<std::string>{"(***:KONW)@38400"});
    }
}

TEST_F(KonfigExchange, WriteFailuresSayWhere) {
    struct Row {
        int line;
        Sim::Phase phase;
        bool mute;
        std::string events;
        size_t bytesSent;
    };
    const Row rows[] = {
        {__LINE__, Sim::Phase::WritePrompt, true, "[wait 300]" + kWriteRefused, 10},
        {__LINE__, Sim::Phase::WritePrompt, false, "[wait 300]" + kWriteRefused, 10},
        {__LINE__, Sim::Phase::WriteEnd, true, "[wait 300][wait 100][wait 1000]Fehler beim schreiben\n", 130},
        {__LINE__, Sim::Phase::WriteEnd, false, "[wait 300][wait 100][wait 1000]Fehler beim schreiben\n", 130},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Sim& sim = StartSim(Fault(row.phase, 0, row.mute));
        ModuleExchange exchange = Exchange();
        EXPECT_EQ(exchange.Write(Fields({{"1", "2"}})), Result::Failed);
        EXPECT_EQ(recorder_.events, row.events);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(ReceivedWhenIn(sim, row.bytesSent).size(), row.bytesSent);
        EXPECT_EQ(sim.ModuleWrites(), 0);
    }
}

TEST_F(KonfigExchange, WriteWithABadFieldSendsNothingAndNamesEveryBadField) {
    struct Row {
        int line;
        const char* text;
    };
    // Each would have gone out as a wrong or truncated number.
    const Row rows[] = {{__LINE__, "abc"},   {__LINE__, "-1"},  {__LINE__, "65536"},
                        {__LINE__, "1.5"},   {__LINE__, "12a"}, {__LINE__, "+5"},
                        {__LINE__, "4294967296"}, {__LINE__, "1 2"}, {__LINE__, "\xC2\xB3"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Sim& sim = StartSim();
        KonfigTexts fields = Fields({{"1", "2"}, {"3", "4"}});
        fields.led[6] = wxString::FromUTF8(row.text);
        ModuleExchange exchange = Exchange();
        EXPECT_EQ(exchange.Write(fields), Result::Invalid);
        EXPECT_EQ(recorder_.events,
                  std::string("Zeile 7 Led: \"") + row.text + "\" ist keine Zahl von 0 bis 65535\nNichts gesendet\n\n");
        EXPECT_TRUE(ReceivedWhenIn(sim, 0).empty());
        EXPECT_FALSE(comport.IsOpen());
    }

    KonfigTexts fields;
    fields.taster[0] = "x";
    fields.led[0] = "y";
    fields.taster[19] = wxString(L'9', 40);
    ModuleExchange exchange = Exchange();
    EXPECT_EQ(exchange.Write(fields), Result::Invalid);
    EXPECT_EQ(recorder_.events,
              "Zeile 1 Taster: \"x\" ist keine Zahl von 0 bis 65535\n"
              "Zeile 1 Led: \"y\" ist keine Zahl von 0 bis 65535\n"
              "Zeile 20 Taster: \"99999999999999999999...\" ist keine Zahl von 0 bis 65535\n"
              "Nichts gesendet\n\n");
}

// The adapter is pulled while the module's answer is awaited: the usual texts, then a line that
// names the port and the reason, and the port closed.
TEST_F(KonfigExchange, APortThatVanishesIsNamedAfterTheUsualTexts) {
    struct Row {
        int line;
        bool read;  // else Connect
        int pump;   // the pump before the answer that never comes
        std::string texts;
    };
    const Row rows[] = {
        {__LINE__, false, 4, "Verbindung Modul Fehler\n" + kPowerCycle},
        {__LINE__, true, 2, kReadFailed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        // a few bytes on the way, then the line goes dead
        Sim& sim = StartSim(Fault(Sim::Phase::ReadData, 10, true));
        const std::string path = Utf8(sim.SlavePath());
        recorder_.onPump = [&] {
            if (recorder_.pumps == row.pump)
                sim.Vanish();
        };
        ModuleExchange exchange = Exchange();
        KonfigValues values{};
        EXPECT_EQ(row.read ? exchange.Read(values) : exchange.Connect(), Result::Failed);
        recorder_.onPump = nullptr;
        const std::string prefix = row.texts + "Port Fehler: " + path + " ist nicht mehr erreichbar (";
        const size_t at = recorder_.events.find(row.texts);
        ASSERT_NE(at, std::string::npos) << recorder_.events;
        EXPECT_EQ(recorder_.events.substr(at, prefix.size()), prefix);
        EXPECT_EQ(recorder_.events.substr(recorder_.events.size() - 2), ")\n");
        EXPECT_FALSE(comport.IsOpen());
    }
}

TEST_F(KonfigExchange, AClickDuringAnExchangeStartsNoSecondOne) {
    Sim& sim = StartSim();
    ModuleExchange exchange = Exchange();
    std::vector<Result> nested;
    recorder_.onPump = [&nested] {
        // What the dialog's buttons would do while the pump lets their clicks through.
        ModuleExchange second;
        KonfigValues values{};
        nested.push_back(second.Connect());
        nested.push_back(second.Read(values));
        nested.push_back(second.Write(KonfigTexts()));
        EXPECT_TRUE(ModuleExchange::Busy());
    };
    EXPECT_EQ(exchange.Connect(), Result::Ok);
    recorder_.onPump = nullptr;
    EXPECT_FALSE(ModuleExchange::Busy());
    ASSERT_FALSE(nested.empty());
    for (Result r : nested)
        EXPECT_EQ(r, Result::Ignored);
    const Bytes expected = ConnectLine(true);
    EXPECT_EQ(Hex(ReceivedWhenIn(sim, expected.size())), Hex(expected));
    // Once it has ended the next one runs.
    KonfigValues values{};
    EXPECT_EQ(exchange.Read(values), Result::Ok);
}

}  // namespace
