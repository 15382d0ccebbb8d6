// "EXEC" items: the program text and its arguments, the #KEY# directory
// macro, and the command line that starts the program.
#pragma once

#include <cstddef>

#include "menu/app/app_limits.h"

// Splits the text after "EXEC" at its first space: the program text before
// it and the argument text from it on, both trimmed of blanks.
void SplitExecText(const char* text, char (&program)[kPathSize], char (&arguments)[kPathSize]);

// Finds the first #KEY# pair of program: prefix before the first '#', the
// key between the two, the tail after the second. 0 when there is no pair
// or the key is empty (the program text then stays as it is).
int SplitDirectoryMacro(const char* program, char (&prefix)[kPathSize], char (&key)[kPathSize],
                        char (&tail)[kPathSize]);

// The program text, in double quotes when it holds a space; one space; the
// argument text.
void BuildExecCommandLine(const char* program, const char* arguments, char* commandLine,
                          size_t size);
