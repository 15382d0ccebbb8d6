// The launcher's one INI helper: reads and writes one profile file by
// section and key through the platform's private-profile functions.
#pragma once

#include <string>
#include <vector>

class SetupFile {
public:
    explicit SetupFile(const char* path) : path_(path ? path : "") {}

    // key = value in section; returns the platform's success flag.
    virtual int WriteValue(const char* section, const char* key, const char* value);
    // The value, empty when missing; up to 4095 characters.
    virtual std::string ReadValue(const char* section, const char* key);
    // Replaces keys by the key names of the section in file order; a missing
    // or empty section leaves keys as they were.
    virtual void ReadSectionKeys(const char* section, std::vector<std::string>* keys);
    // Replaces <SECTION:KEY> references by values of this file.
    virtual void ExpandReferences(std::string* text);

    // A value with a default for a missing key (up to 4095 characters).
    std::string ReadText(const char* section, const char* key, const char* fallback);
    // The value's leading decimal number; fallback for a missing key.
    int ReadInt(const char* section, const char* key, int fallback);

private:
    std::string path_;
};
