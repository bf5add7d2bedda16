// Runs the GUI tests inside a running wx application (under a virtual X server in CI).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

// A failed wx assertion would open a dialog nobody answers and hang the run; fail the test instead.
void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message) {
    ADD_FAILURE_AT(static_cast<const char*>(file.utf8_str()), line)
        << "wx assertion \"" << condition.utf8_str() << "\" failed in " << function.utf8_str() << ": "
        << message.utf8_str();
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start the GUI (is there a display?)\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
