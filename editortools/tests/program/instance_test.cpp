// One instance at a time: any other process named tolvane or tolvane.exe makes a new one refuse.
#include "tolvanerun.h"

#include <chrono>
#include <thread>

namespace {

// A sleeping process under the given file name.
std::unique_ptr<BackgroundProcess> sleeper(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file("/bin/sleep", folder / name, std::filesystem::copy_options::overwrite_existing);
    return std::make_unique<BackgroundProcess>((folder / name).string(), std::vector<std::string>{"60"});
}

const std::string refusal = "Gantrel is already running, only one instance should run.\n";

}  // namespace

class Instance : public TolvaneTest {};

TEST_F(Instance, AnotherProcessNamedTolvaneMakesItRefuse) {
    for (const char* name : {"tolvane", "tolvane.exe"}) {
        auto other = sleeper(root / "other", name);
        programresult r = Tolvane({"-nogui", "-bd", Path("b")});
        EXPECT_EQ(r.exitcode, 0);
        EXPECT_EQ(r.err, refusal) << name;
        EXPECT_EQ(r.out, "");
        // Without -nogui and without a display the refusal goes to standard error too.
        EXPECT_EQ(Tolvane({}).err, refusal);
    }
    EXPECT_EQ(Listing("bin"), std::vector<std::string>{"tolvane"});
    EXPECT_FALSE(Exists("b"));
}

TEST_F(Instance, NamesThatDifferAreNotCounted) {
    auto upper = sleeper(root / "other", "Tolvane");
    auto longer = sleeper(root / "other", "tolvane2");
    programresult r = Tolvane({"-nogui"});
    EXPECT_EQ(r.err, "Done\n");
    // Nor is this copy counted when it has another name.
    std::filesystem::copy_file(bin / "tolvane", bin / "gantrel");
    auto named = sleeper(root / "third", "tolvane");
    r = runprogram((bin / "gantrel").string(), {"-nogui"}, root, std::nullopt, environment);
    EXPECT_EQ(r.err, "Done\n");
}

TEST_F(Instance, AWindowThatIsOpenKeepsASecondRunOut) {
    auto env = environment;
    env["QT_QPA_PLATFORM"] = "offscreen";
    BackgroundProcess window((bin / "tolvane").string(), {}, env);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(window.Running());   // waits in its event loop
    programresult r = Tolvane({"-nogui"});
    EXPECT_EQ(r.err, refusal);
}
