// Portable rules of the registry script: what a profile copy gets for a
// value from the base value and the script value of the setup file.
#pragma once

#include <cstdint>
#include <string>

// A text value: an empty script keeps the base text; "+X" appends X to it;
// "X+" (not beginning with '+') puts X before it; any other text replaces it.
// The script value is already expanded.
std::string ScriptedText(const std::string& base, const std::string& script);

// A number value: a hexadecimal literal "0x" + eight digits replaces the
// base number; anything else keeps it.
uint32_t ScriptedDword(uint32_t base, const std::string& script);

// A script value for a name the base subkey does not hold.
enum class NewScriptValue { kNone, kDword, kText };
NewScriptValue ClassifyNewScriptValue(const std::string& script, uint32_t* number);
