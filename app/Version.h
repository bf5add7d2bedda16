// The version every program shows: tqc-cli --version, the About box and the status bar.
#pragma once

constexpr const char* kTqcVersion = TQC_VERSION;  // the project's version (CMakeLists.txt)
