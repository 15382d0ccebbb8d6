// LISP texts of the stand-in CAD program: a call "(name arg ...)" as it
// arrives by WM_COPYDATA or DDE, and results written in LISP notation.
// Texts are Shift-JIS bytes; a trail byte is never taken for a backslash.
#pragma once

#include "cadmodules/frame/cad_interface.h"

#include <string>
#include <vector>

struct LispValue {
    int type = RTNIL; // RTSTR, RTSHORT, RTLONG, RTREAL, RTNIL or RTT
    std::string text;
    long integer = 0;
    double real = 0;
};

struct LispCall {
    std::string name;
    std::vector<LispValue> args;
};

// Parses one call: "(", a function name, arguments (strings with the
// escapes \\ \" \n \t and octal \nnn, integers, reals, nil and T), ")", blanks and line
// ends around. Returns "" and fills call, or the error text to show.
std::string ParseLispCall(const char* text, LispCall* call);

// A string in LISP notation: in double quotes, backslash and double quote
// escaped (a stray lead byte, which would pair with what follows, in octal).
std::string LispString(const char* text);

// A real as LISP prints it: up to six significant digits, always with a
// decimal point or an exponent.
std::string LispReal(double value);

// A result list in LISP notation into text: "(" elements separated by
// single blanks ")", RTLB ... RTLE as a nested list; an empty chain is nil.
// 0, text empty, for an unbalanced chain (an RTLE that closes no list, an
// RTLB never closed): the CAD program refuses it rather than mend it.
int LispList(const resbuf* list, std::string* text);
