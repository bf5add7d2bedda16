// tqc-cli against the simulated devices: every call of support/cli-calls.json with its exit status,
// output, image, bytes on the line and the module's record afterwards.
#include "../support/CliCalls.h"
#include "serial/Comport.h"

#include <algorithm>
#include <csignal>

namespace {

using clicalls::Json;

// konfig models lists every standard numbering.
TEST(CliDevices, EachCallWithItsStatusAndOutput) {
    const files::TempDir dir;
    clicalls::MakeFolder(dir.path);
    const Json calls = clicalls::Calls();
    ASSERT_GE(calls.size(), 23u);
    for (const Json& call : calls) {
        SCOPED_TRACE(call["call"].get<std::string>());
        const Json written = call.value("files", Json::object());
        for (const auto& [name, text] : written.items()) files::Write(dir / name, text.get<std::string>());
        const auto o =
            clicalls::Call(dir.path, clicalls::OptionsOf(call), [&](const std::string& slave, const auto& act) {
                return proc::Run(clicalls::Words(call["call"], slave, {TQC_CLI}), dir.path, 60, act);
            });
        const std::string output = o.run.out + o.run.err;
        EXPECT_EQ(o.run.status, call["status"].get<int>()) << output;
        EXPECT_EQ(output, call.value("output", output));
        EXPECT_NE(output.find(call.value("part", "")), std::string::npos) << output;
        EXPECT_EQ(o.run.out, call.value("out", o.run.out));
        EXPECT_EQ(o.run.err, call.value("err", o.run.err));
        const Json wrote = call.value("wrote", Json(""));
        EXPECT_EQ(wrote.is_number() ? Json(o.image.size()) : Json(HexBytes(o.image)), wrote);
        EXPECT_EQ(!o.received.empty(), call.value("sent", false));
        EXPECT_EQ(HexBytes(o.record), HexBytes(ModuleRecord(call.value("record", clicalls::kStartRows))));
        EXPECT_EQ(o.announced, call.value("image", -1));
    }
    const proc::Result models = proc::Run({TQC_CLI, "konfig", "models"}, "", 60);
    int count = 0;
    for (size_t at = 0; (at = models.out.find("\nNr Taster   Led\n", at + 1)) != std::string::npos;) ++count;
    EXPECT_EQ(count, 19) << models.out;
}

// A stop signal ends program and konfig like Stop/Clear: the port is closed (so that it opens
// again at once: its exclusive claim is gone), the last line names the signal, the status is
// 128 + its number. The signal comes once the request is on the line.
TEST(CliDevices, StopSignalsCloseThePortAndSayWhy) {
    const files::TempDir dir;
    clicalls::MakeFolder(dir.path);
    const struct {
        int line;
        int signal;
        const char* name;
        std::string call, sim, request;
    } rows[] = {{__LINE__, SIGTERM, "SIGTERM", "program examples/zeitschaltung.tqc --port @", "--silent 1000",
                 "(***:PROG)@115200"},
                {__LINE__, SIGHUP, "SIGHUP", "program examples/zeitschaltung.tqc --port @", "--silent 1000",
                 "(***:PROG)@115200"},
                {__LINE__, SIGINT, "SIGINT", "konfig write --port @ --rows 1/2", "", "(***:KONW)@38400"},
                {__LINE__, SIGTERM, "SIGTERM", "konfig connect --port @", "", "(***:BUSW)@115200"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        std::string problem;
        SimulatedController::Options options;
        ASSERT_TRUE(ParseSimulatedOptions(clicalls::Words(row.sim, ""), options, problem)) << problem;
        SimulatedController sim(options);
        ASSERT_TRUE(sim.Start());
        bool sent = false;
        const proc::Result run = proc::Run(clicalls::Words(row.call, sim.SlavePath().utf8_string(), {TQC_CLI}),
                                           dir.path, 20, [&](pid_t pid, double) {
                                               const auto requests = sim.RequestLog();
                                               if (!sent && !requests.empty() && requests.front() == row.request)
                                                   sent = kill(pid, row.signal) == 0;
                                           });
        EXPECT_TRUE(sent);
        EXPECT_EQ(run.status, 128 + row.signal) << run.out << run.err;
        const std::string last = std::string("Abbruch: Signal ") + row.name + " empfangen, Port geschlossen\n";
        EXPECT_EQ(run.out.substr(run.out.size() - std::min(run.out.size(), last.size())), last) << run.out;
        EXPECT_TRUE(comport.Open(sim.SlavePath(), 115200, 8, "N", 1)) << comport.ErrorText();
        comport.Close();
    }
}

// A system error text inside a German line follows the user's language, not the C library's
// English default (where the German texts are installed).
TEST(CliDevices, SystemTextsInTheUsersLanguage) {
    if (!std::filesystem::exists("/usr/share/locale/de/LC_MESSAGES/libc.mo"))
        GTEST_SKIP() << "no German texts of the C library";
    const proc::Result run = proc::Run(
        {"env", "LC_ALL=C.UTF-8", "LANGUAGE=de", TQC_CLI, "konfig", "read", "--port", "/dev/tqc-no-such-port"}, "", 20);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Comport Fehler 2: Datei oder Verzeichnis nicht gefunden");
}

}  // namespace
