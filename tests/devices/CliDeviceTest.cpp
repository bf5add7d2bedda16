// tqc-cli against the simulated devices: every call of support/cli-calls.json with its exit status,
// output, image, bytes on the line and the module's record afterwards.
#include "../support/CliCalls.h"

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
        const auto o = clicalls::Call(dir.path, clicalls::OptionsOf(call), [&](const std::string& slave, const auto& act) {
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

}  // namespace
