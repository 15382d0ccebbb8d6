// Character-class table of the floating menu's text helpers.
#pragma once

#include <cstdint>

enum CharClass : uint32_t {
    kClassLetter = 1,    // '_' and A-Z, a-z
    kClassDigit = 2,     // 0-9
    kClassMark = 4,      // printable ASCII marks other than '_'
    kClassSpace = 8,     // ' '
    kClassTab = 16,      // '\t'
    kClassLineFeed = 32, // '\n'
    kClassOther = 128,   // every other byte, 0x80-0xFF included
};

// Fills the table; called once at program start.
void InitCharClasses();

// Class of one byte (after InitCharClasses).
uint32_t CharClassOf(unsigned char c);

// Bitwise OR of the classes of all bytes of text (0 for the empty text).
uint32_t CharClassesOf(const char* text);
