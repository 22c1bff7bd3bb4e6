// The GUI tests run on the offscreen platform unless a display is given, and with a runtime
// folder of their own when none is set: the build lists the tests by running this program.
#include <QApplication>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string runtime;
    if (!getenv("XDG_RUNTIME_DIR")) {
        std::string templ = (std::filesystem::temp_directory_path() / "tolvaneguiXXXXXX").string();
        if (mkdtemp(templ.data())) {
            runtime = templ;
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        }
    }
    int result;
    {
        QApplication application(argc, argv);
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!runtime.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runtime, ignored);
    }
    return result;
}
