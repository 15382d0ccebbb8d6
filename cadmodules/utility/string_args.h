// Argument checks of the utility module's LISP functions.
#pragma once

// Takes count string arguments of the current call into values. For the
// first position that is missing or not a string, prints its message
// ("1st Argument not exist.", "2nd Argument must be a string.", ...), sets
// the result nil and returns 0.
int TakeStringArgs(int count, const char* values[]);

// The one file-name argument of %txtread and %mkcmdlst: prints "argument1
// not exist" or "argument1 not match type" and returns nullptr, leaving
// the result void.
const char* TakeFileNameArg();
