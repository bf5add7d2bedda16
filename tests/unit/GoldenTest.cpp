// The shipped examples compile without errors to exactly the reviewed listings.
#include "DriverSupport.h"
#include "compiler/ScriptText.h"

namespace {

using drvtest::ReadBytes;

class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, ExampleMatchesItsListing) {
    const std::string root = TQC_SOURCE_DIR;
    const std::string script = ReadBytes(root + "/examples/" + GetParam() + ".tqc");
    ASSERT_FALSE(script.empty());
    data.sourceDir = wxString::FromUTF8((root + "/examples").c_str());
    Compiler compiler;
    compiler.CompileLatin1(script::ToLatin1(script));
    EXPECT_EQ(data.errorCount, 0);

    wxString summary;
    const wxArrayString status = compiler.StatusTexts();
    for (size_t i = 0; i < status.size(); ++i) summary += (i ? "  " : "") + status[i];
    const std::string listing = report::Listing(compiler) + std::string(summary.utf8_str()) + "\n";
    EXPECT_EQ(listing, ReadBytes(root + "/tests/golden/" + GetParam() + ".listing"));
}

INSTANTIATE_TEST_SUITE_P(Examples, Golden, ::testing::Values("wohnzimmer", "zeitschaltung", "protokoll"));

}  // namespace
