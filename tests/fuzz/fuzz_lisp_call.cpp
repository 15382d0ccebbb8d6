// Arbitrary bytes as a LISP call arriving at the stand-in CAD program, and
// its string arguments written back in LISP notation: a string read back
// from its notation is the same string.
#include "tools/standin_cad/lisp_text.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    LispCall call;
    if (!ParseLispCall(text.c_str(), &call).empty()) {
        return 0;
    }
    for (const LispValue& value : call.args) {
        if (value.type != RTSTR || value.text.find('\0') != std::string::npos) {
            continue;
        }
        LispCall again;
        if (!ParseLispCall(("(f " + LispString(value.text.c_str()) + ")").c_str(), &again)
                 .empty() ||
            again.args.size() != 1 || again.args[0].text != value.text) {
            __builtin_trap();
        }
    }
    return 0;
}
