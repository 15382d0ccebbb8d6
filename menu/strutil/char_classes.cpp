#include "menu/strutil/char_classes.h"

#include <cstring>

namespace {
uint32_t g_classes[256];
}

void InitCharClasses() {
    for (int c = 0; c < 256; ++c) {
        g_classes[c] = kClassOther;
    }
    for (const char* p = "_ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"; *p; ++p) {
        g_classes[static_cast<unsigned char>(*p)] = kClassLetter;
    }
    for (int c = '0'; c <= '9'; ++c) {
        g_classes[c] = kClassDigit;
    }
    for (int c = 0x21; c <= 0x7E; ++c) {
        if (g_classes[c] == kClassOther) {
            g_classes[c] = kClassMark;
        }
    }
    g_classes[static_cast<unsigned char>(' ')] = kClassSpace;
    g_classes[static_cast<unsigned char>('\t')] = kClassTab;
    g_classes[static_cast<unsigned char>('\n')] = kClassLineFeed;
}

uint32_t CharClassOf(unsigned char c) {
    return g_classes[c];
}

uint32_t CharClassesOf(const char* text) {
    uint32_t classes = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        classes |= g_classes[*p];
    }
    return classes;
}
