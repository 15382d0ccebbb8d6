#include "launcher/script_values.h"

#include "launcher/setup_text.h"

std::string ScriptedText(const std::string& base, const std::string& script) {
    if (script.empty()) {
        return base;
    }
    if (script.front() == '+') {
        return base + script.substr(1);
    }
    if (script.back() == '+') {
        return script.substr(0, script.size() - 1) + base;
    }
    return script;
}

uint32_t ScriptedDword(uint32_t base, const std::string& script) {
    uint32_t value = base;
    ParseHexDword(script.c_str(), &value);
    return value;
}

NewScriptValue ClassifyNewScriptValue(const std::string& script, uint32_t* number) {
    if (script.empty()) {
        return NewScriptValue::kNone;
    }
    return ParseHexDword(script.c_str(), number) ? NewScriptValue::kDword : NewScriptValue::kText;
}
