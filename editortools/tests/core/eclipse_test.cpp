// Copies of the Eclipse row and the workspaces they offer.
#include "sessiontest.h"

namespace {

const std::string eclipse = "Eclipse Galileo/Helios";

class EclipseCopies : public SessionTest {
protected:
    void SetUp() override { session->targets = {{"Pspad", "/p"}, {eclipse, "/ws1"}, {"Textpad 5", "/t"}}; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const TargetRecord& row : session->targets) names.push_back(row.name + "=" + row.dir);
        return names;
    }
};

TEST_F(EclipseCopies, DuplicateAddsAnEmptyCopyBelowTheRow) {
    EXPECT_FALSE(session->DuplicateEclipse(0));
    EXPECT_FALSE(session->DuplicateEclipse(3));
    EXPECT_TRUE(session->DuplicateEclipse(1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Pspad=/p", eclipse + "=/ws1", eclipse + "=", "Textpad 5=/t"}));
    session->targets[2].dir = "/ws2";
    EXPECT_TRUE(session->DuplicateEclipse(1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Pspad=/p", eclipse + "=/ws1", eclipse + "=", eclipse + "=/ws2",
                                                 "Textpad 5=/t"}));
    // A row whose name only begins like Eclipse's duplicates as Eclipse.
    session->targets.push_back({eclipse + " (old)", "/old"});
    EXPECT_TRUE(session->DuplicateEclipse(5));
    EXPECT_EQ(session->targets.back().name, eclipse);
}

TEST_F(EclipseCopies, TheLastEclipseRowStays) {
    EXPECT_FALSE(session->DeleteEclipseCopy(1));
    EXPECT_FALSE(session->DeleteEclipseCopy(0));
    session->targets.push_back({eclipse + " (old)", "/old"});
    EXPECT_FALSE(session->DeleteEclipseCopy(3));   // one row of the exact name
    EXPECT_EQ(session->targets.size(), 4u);
    session->targets.push_back({eclipse, "/ws2"});
    EXPECT_TRUE(session->DeleteEclipseCopy(1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Pspad=/p", "Textpad 5=/t", eclipse + " (old)=/old", eclipse + "=/ws2"}));
    EXPECT_FALSE(session->DeleteEclipseCopy(3));
    EXPECT_FALSE(session->DeleteEclipseCopy(9));
}

TEST_F(EclipseCopies, WorkspacesOnlyForEclipseAndOnlyFromTwoRows) {
    EXPECT_TRUE(session->EclipseWorkspaces(eclipse).empty());
    session->targets.push_back({eclipse, "/ws2"});
    session->targets.push_back({eclipse + " (old)", "/old"});
    EXPECT_EQ(session->EclipseWorkspaces(eclipse), (std::vector<std::string>{"/ws1", "/ws2"}));
    EXPECT_TRUE(session->EclipseWorkspaces("Pspad").empty());
    EXPECT_TRUE(session->EclipseWorkspaces("").empty());
}

}  // namespace
