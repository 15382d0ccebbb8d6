// Reading and writing profile (INI) files: the one place that calls the
// private-profile functions.
#pragma once

// Reads section/key of the profile file at path into dst (size bytes, cut);
// a missing key gives the empty text. Returns the length read.
int ReadProfileText(const char* path, const char* section, const char* key, char* dst, int size);

// Writes section/key = value; returns 1 on success. A null value deletes the key.
int WriteProfileText(const char* path, const char* section, const char* key, const char* value);
