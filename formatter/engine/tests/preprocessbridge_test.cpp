// The option list of the preprocessing bridge: its fixed order, and only what is set.
#include "enginetesting.h"
#include "preprocessbridge.h"

using strings = std::vector<std::string>;

TEST(preprocessbridge, optionsinthelibrarysorder) {
    settings s = enginetesting::defaultsettings();
    EXPECT_EQ(preprocessoroptions(s), (strings{"-cs", "US7ASCII"}));
    s.pp_I = {"dir1", "dir2"};
    s.pp_D = {{"n", ""}, {"a", "1 + 2"}};
    s.pp_pf = {"p.sql"};
    s.pp_kld = 1;
    s.pp_ild = 1;
    s.cs = "WE8ISO8859P1";
    EXPECT_EQ(preprocessoroptions(s), (strings{"-I", "dir1", "-I", "dir2", "-pf", "p.sql", "-D", "a=1 + 2", "-D", "n=",
                                               "-ild+", "-kld+", "-cs", "WE8ISO8859P1"}));
    s.pp_ld = 1;
    s.pp_ild = 0;
    s.pp_kld = 0;
    EXPECT_EQ(preprocessoroptions(s), (strings{"-I", "dir1", "-I", "dir2", "-pf", "p.sql", "-D", "a=1 + 2", "-D", "n=",
                                               "-ld+", "-cs", "WE8ISO8859P1"}));
}
