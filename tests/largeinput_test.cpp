// A large generated PL/SQL file goes through brelm without losing or adding any text.
#include "plsqlgenerator.h"
#include "programrun.h"

namespace {

class largeinput : public programtest {};

}  // namespace

TEST_F(largeinput, formattingkeepseverynonblankcharacter) {
    std::string text = generateplsql(3 << 20, 7);
    writefile("big.sql", text);
    programresult run = brelm({"-i", "big.sql", "-o", "big.out"});
    ASSERT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(run.err, "big.sql -> big.out formatting is done.\n");
    std::string output = readfile("big.out");
    EXPECT_EQ(significant(output), significant(text));
    EXPECT_NE(output, text);  // the operator blanks did change
}

TEST_F(largeinput, binarybytesandaverylonglinegothrough) {
    std::string text("x:=1;\0\x01\xff\xfe'\x80';\n", 14);
    for (int i = 0; i < 200000; ++i) text += "a+";
    text += "b;\n";
    writefile("odd.sql", text);
    programresult run = brelm({"-i", "odd.sql", "-o", "odd.out", "-sr-"});
    ASSERT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(significant(readfile("odd.out")), significant(text));
    run = brelm({"-i", "odd.sql", "-o", "same.out", "-np", "-sr-"});
    EXPECT_EQ(readfile("same.out"), text);
}
