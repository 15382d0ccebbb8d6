// The stand-in CAD program's LISP texts: calls as they arrive, results in
// LISP notation; the command a command text runs.
#include <gtest/gtest.h>

#include "tools/standin_cad/command_text.h"
#include "tools/standin_cad/lisp_text.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(LispCall, TakesTheNameAndEveryKindOfArgument) {
    LispCall call;
    ASSERT_EQ(ParseLispCall(" (%f \"a\\\\b\\\"c\\n\\t\\q\" 12 -40000 1.5 .5e1 nil T)\n", &call),
              "");
    EXPECT_EQ(call.name, "%f");
    ASSERT_EQ(call.args.size(), 7u);
    EXPECT_EQ(call.args[0].type, RTSTR);
    EXPECT_EQ(call.args[0].text, "a\\b\"c\n\tq");
    EXPECT_EQ(call.args[1].type, RTSHORT);
    EXPECT_EQ(call.args[1].integer, 12);
    EXPECT_EQ(call.args[2].type, RTLONG);
    EXPECT_EQ(call.args[2].integer, -40000);
    EXPECT_EQ(call.args[3].type, RTREAL);
    EXPECT_DOUBLE_EQ(call.args[3].real, 1.5);
    EXPECT_DOUBLE_EQ(call.args[4].real, 5.0);
    EXPECT_EQ(call.args[5].type, RTNIL);
    EXPECT_EQ(call.args[6].type, RTT);
}

TEST(LispCall, ATrailByteIsNoEscape) {
    LispCall call;
    // ソ is 0x83 0x5C: its trail byte must not swallow the closing quote.
    ASSERT_EQ(ParseLispCall("(f \"ソ\" \"表\")", &call), "");
    ASSERT_EQ(call.args.size(), 2u);
    EXPECT_EQ(call.args[0].text, "ソ");
    EXPECT_EQ(call.args[1].text, "表");
}

TEST(LispCall, RefusesWhatIsNotOneCall) {
    LispCall call;
    for (const char* text : {"", "vxmend", "()", "(f", "(f \"abc)", "(f (g))", "(f) (g)"}) {
        EXPECT_EQ(ParseLispCall(text, &call), "error: malformed list on input") << text;
    }
    EXPECT_EQ(ParseLispCall("(f 1 sym)", &call), "error: bad argument: sym");
}

// A chain of records; released at the end of the test.
struct Chain {
    std::vector<resbuf*> records;
    Chain& Add(int type) {
        resbuf* rb = static_cast<resbuf*>(calloc(1, sizeof(resbuf)));
        rb->restype = static_cast<short>(type);
        if (!records.empty()) {
            records.back()->rbnext = rb;
        }
        records.push_back(rb);
        return *this;
    }
    Chain& Text(const char* text) {
        Add(RTSTR).records.back()->resval.rstring = strdup(text);
        return *this;
    }
    ~Chain() {
        for (resbuf* rb : records) {
            if (rb->restype == RTSTR) {
                free(rb->resval.rstring);
            }
            free(rb);
        }
    }
};

TEST(LispNotation, StringsEscapeBackslashAndQuoteButNoTrailByte) {
    EXPECT_EQ(LispString("a\\b\"c"), "\"a\\\\b\\\"c\"");
    EXPECT_EQ(LispString("ソ\\"), "\"ソ\\\\\"");
    // A stray lead byte before a quote would pair with the escaping backslash.
    EXPECT_EQ(LispString("\x83\""), "\"\\203\\\"\"");
    EXPECT_EQ(LispReal(2.0), "2.0");
    EXPECT_EQ(LispReal(-0.125), "-0.125");
}

std::string ListText(const resbuf* list) {
    std::string text = "<refused>";
    return LispList(list, &text) ? text : "<refused>" + text;
}

TEST(LispNotation, ListsNestWithSingleBlanks) {
    Chain chain;
    chain.Add(RTLB).Text("LINE").Text("draw").Add(RTLE).Text("x").Add(RTLB).Add(RTLB).Add(RTT);
    chain.Add(RTLE).Add(RTNIL).Add(RTLE).Add(RTSHORT);
    chain.records.back()->resval.rint = -3;
    chain.Add(RTREAL);
    chain.records.back()->resval.rreal = 1.5;
    EXPECT_EQ(ListText(chain.records[0]), "((\"LINE\" \"draw\") \"x\" ((T) nil) -3 1.5)");
    EXPECT_EQ(ListText(nullptr), "nil");
}

TEST(LispNotation, UnbalancedChainsAreRefused) {
    Chain strayEnd, neverClosed, closedTooOften;
    strayEnd.Add(RTLE).Add(RTLB).Add(RTT);
    neverClosed.Add(RTLB).Text("a").Add(RTLB).Add(RTLE);
    closedTooOften.Add(RTLB).Text("a").Add(RTLE).Add(RTLE);
    for (const Chain* chain : {&strayEnd, &neverClosed, &closedTooOften}) {
        EXPECT_EQ(ListText(chain->records[0]), "<refused>");
    }
}

TEST(CommandText, NamesTheCommandATextRuns) {
    const char* const kTexts[][2] = {{"\x1b\x1b_PLOT\n", "PLOT"},
                                     {"^C^C-plot x\n", "-PLOT"},
                                     {"_-Assist;", "-ASSIST"},
                                     {".plotter 1", "PLOTTER"},
                                     {"ヂx\n", "ヂX"},
                                     {"(vxmend)", ""},
                                     {"\x1b\x03(vxmend)\n", ""},
                                     {"^C^C", ""},
                                     {"_-", ""},
                                     {"\n", ""}};
    for (const auto& text : kTexts) {
        EXPECT_EQ(CommandNameOf(text[0]), text[1]) << text[0];
    }
}

} // namespace
