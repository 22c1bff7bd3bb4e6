// Processing driver: expansion in running text, __line__ and __file__, the line break and
// #line directive after expansions, and the statement state over expansions.
#include "marloxtesting.h"

class drivertest : public preprocessortest {};

TEST_F(drivertest, smoke)
{
    define("n 5");
    EXPECT_EQ(process("x := n;"), "x := 5\n;");
}
