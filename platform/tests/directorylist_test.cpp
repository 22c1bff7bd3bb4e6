// Directory layer: the wildcard matcher, sorted listings in a scratch tree, attributes, mkdir.
#include "directorylist.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct wildcardcase {
    const char* wildcard;
    const char* name;
    bool matches;
};

const wildcardcase wildcardcases[] = {
    {"*.sql", "a.sql", true},
    {"*.sql", ".sql", true},
    {"*.sql", "a.sql.bak", false},
    {"*.sql", "a.SQL", false},          // case matters
    {"a?c", "abc", true},
    {"a?c", "ac", false},
    {"a?c", "abbc", false},
    {"*", "", true},
    {"*", "anything", true},
    {"", "", true},
    {"", "a", false},
    {"a*b*c", "axxbyyc", true},
    {"a*b*c", "axxbyy", false},
    {"*ab", "aab", true},               // the star must give back what it took
    {"*a*a*a", "aaaa", true},
    {"pkg_b*.c++.bak", "pkg_b12.c++.bak", true},
    {"pkg_b*.c++.bak", "pkg_b12.cxx.bak", false},
    {"[ab].sql", "[ab].sql", true},     // "[" is an ordinary byte
    {"[ab].sql", "a.sql", false},
    {"x**y", "xy", true},
    {"?*", "", false},
    {"\xe4*", "\xe4rger", true},        // bytes above 127 compare as bytes
};

TEST(wildcardmatch, table) {
    for (const wildcardcase& c : wildcardcases)
        EXPECT_EQ(wildcardmatch(c.wildcard, c.name), c.matches) << c.wildcard << " on " << c.name;
}

class scratchtree : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "dirlistXXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        root = templ;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }
    void touch(const std::string& relative) {
        std::ofstream(root + "/" + relative) << "x";
    }
    std::vector<std::string> names(const std::string& directory, const char* wildcard) {
        std::vector<directoryentry> entries;
        EXPECT_TRUE(listdirectory(directory, wildcard, entries));
        std::vector<std::string> result;
        for (const directoryentry& e : entries) result.push_back(e.name);
        return result;
    }
    std::string root;
};

TEST_F(scratchtree, listingissortedbybytesandskipsdots) {
    for (const char* name : {"b.sql", "B.sql", "a.sql", "_x.sql", "a.txt", "\xc3\xa9.sql"}) touch(name);
    using v = std::vector<std::string>;
    EXPECT_EQ(names(root, "*.sql"), (v{"B.sql", "_x.sql", "a.sql", "b.sql", "\xc3\xa9.sql"}));
    EXPECT_EQ(names(root, "*").size(), 6u);   // no "." or ".."
    EXPECT_EQ(names(root, "a.*"), (v{"a.sql", "a.txt"}));
    EXPECT_EQ(names(root, "nothing*"), v{});
}

TEST_F(scratchtree, attributesnamethekindofentry) {
    touch("file.sql");
    fs::create_directory(root + "/dir.sql");
    fs::create_symlink(root + "/file.sql", root + "/tofile.sql");
    fs::create_directory_symlink(root + "/dir.sql", root + "/todir.sql");
    fs::create_symlink(root + "/gone", root + "/dangling.sql");
    ASSERT_EQ(mkfifo((root + "/fifo.sql").c_str(), 0600), 0);

    std::vector<directoryentry> entries;
    ASSERT_TRUE(listdirectory(root, "*.sql", entries));
    ASSERT_EQ(entries.size(), 6u);
    auto find = [&](const std::string& name) {
        for (const directoryentry& e : entries)
            if (e.name == name) return e;
        ADD_FAILURE() << name << " not listed";
        return directoryentry{};
    };
    EXPECT_EQ(find("file.sql").attributes, attributeregular);
    EXPECT_FALSE(find("file.sql").symlink);
    EXPECT_EQ(find("dir.sql").attributes, attributedirectory);
    EXPECT_EQ(find("tofile.sql").attributes, attributeregular);
    EXPECT_TRUE(find("tofile.sql").symlink);
    EXPECT_EQ(find("todir.sql").attributes, attributedirectory);
    EXPECT_TRUE(find("todir.sql").symlink);
    EXPECT_EQ(find("dangling.sql").attributes, 0u);
    EXPECT_EQ(find("fifo.sql").attributes, 0u);

    EXPECT_EQ(pathattributes(root + "/file.sql"), attributeregular);
    EXPECT_EQ(pathattributes(root + "/todir.sql"), attributedirectory);
    EXPECT_EQ(pathattributes(root + "/gone"), invalidattributes);
    EXPECT_EQ(pathattributes(""), invalidattributes);
}

TEST_F(scratchtree, unreadabledirectorylistsnothing) {
    std::vector<directoryentry> entries{directoryentry{"stale", 0, false}};
    EXPECT_FALSE(listdirectory(root + "/missing", "*", entries));
    EXPECT_TRUE(entries.empty());
    touch("plain");
    EXPECT_FALSE(listdirectory(root + "/plain", "*", entries));
}

}  // namespace
