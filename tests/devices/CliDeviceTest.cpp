// tqc-cli against the simulated controller, bridge and module: compile with its reports and image,
// the same transfer and exchange as the dialogs', with the rows printed and taken on the command
// line, and the exit status of each outcome. The calls are data, in support/cli-calls.json.
#include "serial/SimulatedController.h"
#include "../support/HexBytes.h"
#include "../support/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Sim = SimulatedController;
using Json = nlohmann::json;

// The record bytes of the rows given as {key, LED}; the rest 0, 120 bytes in all.
std::vector<unsigned char> Record(const std::vector<std::pair<int, int>>& rows) {
    std::vector<unsigned char> record;
    for (const auto& row : rows)
        for (int n : {row.first, row.second}) record.insert(record.end(), {static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)});
    record.resize(120, 0);
    return record;
}

// Each call of cli-calls.json against a fresh simulator: the exit status, the output, the image
// written, whether anything reached the line, the image length the loader was told and the
// module's record afterwards. konfig models lists every standard numbering.
TEST(CliDevices, EachCallWithItsStatusAndOutput) {
    const std::filesystem::path dir = testing::TempDir() + "/cli-devices";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::copy(std::string(TQC_SOURCE_DIR) + "/examples", dir / "examples");
    std::ofstream(dir / "faulty.tqc", std::ios::binary) << "on 5000\n";
    std::ofstream oversized(dir / "oversized.tqc", std::ios::binary);
    for (int i = 0; i < 10667; ++i) oversized << "on 1\n";  // three cells each: 32001
    oversized.close();
    const std::vector<std::pair<int, int>> start = {{19, 18}, {300, 5}, {65535, 0}};
    std::ifstream file(std::string(TQC_SOURCE_DIR) + "/tests/support/cli-calls.json");
    const Json calls = Json::parse(file, nullptr, true, true);
    ASSERT_GE(calls.size(), 23u);
    for (const Json& call : calls) {
        SCOPED_TRACE(call["call"].get<std::string>());
        Sim::Options options;
        options.moduleRecord = Record(start);
        options.faultPhase = call.value("no module", false) ? Sim::Phase::ModuleConnect : Sim::Phase::None;
        options.faultMute = true;
        Sim sim(options);
        ASSERT_TRUE(sim.Start()) << sim.ErrorText();
        std::vector<std::string> args{TQC_CLI};
        std::istringstream words(call["call"].get<std::string>());
        for (std::string word; words >> word;) args.push_back(word == "@" ? std::string(sim.SlavePath().utf8_str()) : word);
        const Json files = call.value("files", Json::object());
        for (const auto& [name, text] : files.items()) std::ofstream(dir / name, std::ios::binary) << text.get<std::string>();
        const proc::Result run = proc::Run(args, dir.string(), 60);
        const std::string output = run.out + run.err, image = proc::Slurp((dir / "image.bin").string());
        std::filesystem::remove(dir / "image.bin");
        EXPECT_EQ(run.status, call["status"].get<int>()) << output;
        EXPECT_EQ(output, call.value("output", output));
        EXPECT_NE(output.find(call.value("part", "")), std::string::npos) << output;
        EXPECT_EQ(run.out, call.value("out", run.out));
        EXPECT_EQ(run.err, call.value("err", run.err));
        const Json wrote = call.value("wrote", Json(""));
        EXPECT_EQ(wrote.is_number() ? Json(image.size()) : Json(HexBytes(image)), wrote);
        EXPECT_EQ(!sim.Received().empty(), call.value("sent", false));
        EXPECT_EQ(sim.ModuleRecord(), Record(call.value("record", start)));
        EXPECT_EQ(sim.ImageLength(), call.value("image", -1));
    }
    const proc::Result models = proc::Run({TQC_CLI, "konfig", "models"}, "", 60);
    int count = 0;
    for (size_t at = 0; (at = models.out.find("\nNr Taster   Led\n", at + 1)) != std::string::npos;) ++count;
    EXPECT_EQ(count, 19) << models.out;
}

}  // namespace
