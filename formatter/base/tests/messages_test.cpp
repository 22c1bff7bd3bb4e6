// Message sinks, the throwers and the usage-error enders.
#include "messages.h"

#include <gtest/gtest.h>

namespace {

// The message a call throws; fails the test when it throws nothing.
template <class F>
std::string thrownby(F call) {
    try {
        call();
    } catch (const std::string& message) {
        return message;
    }
    ADD_FAILURE() << "nothing was thrown";
    return "";
}

}  // namespace

TEST(messages, stringmodecollectsmessagesbacktoback) {
    messagestream sink;
    sink.stringmode = 1;
    testing::internal::CaptureStderr();
    printout(sink, "first");
    printout(sink, "");
    printout(sink, "second\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(sink.text, "firstsecond\n");
}

// Control bytes but line feeds and tabs are shown escaped, so that no message can steer the
// terminal; the sink in string mode keeps the text as it is.
TEST(messages, streammodewritestostderrwithcontrolbytesescaped) {
    messagestream sink;
    testing::internal::CaptureStderr();
    printout(sink, "");
    printout(sink, std::string("a\0b", 3));
    printout(sink, "\x1b]0;title\x07\tline\r\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "a\\x00b\\x1b]0;title\\x07\tline\\x0d\n");
    EXPECT_EQ(sink.text, "");
    sink.stringmode = 1;
    printout(sink, std::string("a\0b", 3));
    EXPECT_EQ(sink.text, std::string("a\0b", 3));
}

TEST(messages, throwersthrowtheexacttext) {
    EXPECT_EQ(thrownby([] { die("can't open x: No such file\n"); }), "can't open x: No such file\n");
    EXPECT_EQ(thrownby([] { die(""); }), "");
    EXPECT_EQ(thrownby([] { dieline(12); }), "12\n");
    EXPECT_EQ(thrownby([] { dieline(-3); }), "-3\n");
    EXPECT_EQ(thrownby([] { dieline(std::string("Integrity failure")); }), "Integrity failure\n");
}

TEST(messages, usageerrorprintsmessageandhintthenthrowstwo) {
    struct row {
        bool hint;
        std::string message, printed;
    } rows[] = {
        {true, "Error:unknown switch -qq", "Error:unknown switch -qq\n\n(Give -h as option if you want to see the usage info)\n"},
        {true, "", "\n(Give -h as option if you want to see the usage info)\n"},
        {true, "-ifs is not closed by -ei\n", "-ifs is not closed by -ei\n\n\n(Give -h as option if you want to see the usage info)\n"},
        {false, "All files skipped. Nothing is done.", "All files skipped. Nothing is done.\n"},
        {false, "", ""},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.message);
        messagestream tostderr;
        testing::internal::CaptureStderr();
        std::string thrown = r.hint ? thrownby([&] { usageerror(tostderr, r.message); })
                                    : thrownby([&] { usageerrornohint(tostderr, r.message); });
        EXPECT_EQ(testing::internal::GetCapturedStderr(), r.printed);
        EXPECT_EQ(thrown, "2\n");

        messagestream tostring;
        tostring.stringmode = 1;
        thrown = r.hint ? thrownby([&] { usageerror(tostring, r.message); })
                        : thrownby([&] { usageerrornohint(tostring, r.message); });
        EXPECT_EQ(tostring.text, r.printed);
        EXPECT_EQ(thrown, "2\n");
    }
}

TEST(messages, onlydigitmessagescarryacode) {
    struct row {
        std::string message;
        int code;
    } rows[] = {
        {"2\n", 2},   {"12\n", 12}, {"255\n", 255}, {"0", 0},    {"007", 7},
        {"2\n\n", -1}, {"12 x", -1}, {" 2", -1},    {"", -1},    {"\n", -1},
        {"-1\n", -1}, {"2\r\n", -1}, {"99999999999\n", 2147483647},
    };
    for (const row& r : rows) EXPECT_EQ(messagecode(r.message), r.code) << '"' << r.message << '"';
}
