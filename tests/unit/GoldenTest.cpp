// The shipped examples compile without errors to exactly the reviewed listings, summary line
// included, and tqc-cli disasm of the image written by -o gives the listings' decoded column.
#include "../support/Process.h"
#include "CompileHelpers.h"

namespace {

class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, ExampleMatchesItsListingAndDisassembly) {
    const files::TempDir dir;
    const std::string script = std::string(TQC_SOURCE_DIR) + "/examples/" + GetParam() + ".tqc";
    const std::string golden = files::Source("tests/golden/" + std::string(GetParam()) + ".listing");
    const proc::Result listing = proc::Run({TQC_CLI, "compile", script, "--listing"}, "", 60);
    EXPECT_EQ(listing.status, 0);
    EXPECT_EQ(listing.out + listing.err, golden);

    ASSERT_EQ(proc::Run({TQC_CLI, "compile", script, "-o", dir / "image.bin"}, "", 60).status, 0);
    const proc::Result disasm = proc::Run({TQC_CLI, "disasm", dir / "image.bin"}, "", 60);
    EXPECT_EQ(disasm.status, 0);
    std::istringstream rows(golden);
    std::string decoded;  // "LLLLL AAAAA  text  | CC CC  command" as "AAAAA CC CC  command"
    for (std::string row; std::getline(rows, row);)
        if (const size_t bar = row.find("  | "); bar != std::string::npos)
            decoded += row.substr(6, 5) + " " + row.substr(bar + 4) + "\n";
    EXPECT_EQ(disasm.out + disasm.err, decoded);
}

INSTANTIATE_TEST_SUITE_P(Examples, Golden, ::testing::Values("wohnzimmer", "zeitschaltung", "protokoll"));

}  // namespace
