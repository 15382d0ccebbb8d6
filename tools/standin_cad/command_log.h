// The stand-in CAD program's log: one record per event, readable by tests.
// A record is "<kind> <length>\n" followed by length raw bytes and "\n".
#pragma once

#include <string>
#include <vector>

struct LogRecord {
    std::string kind;  // "START", "READY", "COPYDATA", "REFUSED", "DDE", "STAMP",
                       // "CONNECT", "DISCONNECT", "CONTROL", "COMMAND" (a
                       // command text run), "EXIT", ...
    std::string bytes; // exactly as received
};

// Appends one record; the file is opened and closed each time, so that a
// reader sees every record as soon as it is written.
void AppendLogRecord(const char* path, const char* kind, const void* bytes, size_t length);

// All complete records of the log (none when it does not exist).
std::vector<LogRecord> ReadLogRecords(const char* path);

// The complete records from byte *offset on; *offset moves past them, so
// that a reader that follows the log reads each record once.
std::vector<LogRecord> ReadLogRecordsFrom(const char* path, size_t* offset);
