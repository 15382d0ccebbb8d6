#include "tools/standin_cad/command_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void AppendLogRecord(const char* path, const char* kind, const void* bytes, size_t length) {
    if (path == nullptr || path[0] == '\0') {
        return;
    }
    FILE* file = fopen(path, "ab");
    if (file == nullptr) {
        return;
    }
    fprintf(file, "%s %u\n", kind, static_cast<unsigned>(length));
    fwrite(bytes, 1, length, file);
    fputc('\n', file);
    fclose(file);
}

std::vector<LogRecord> ReadLogRecordsFrom(const char* path, size_t* offset) {
    std::vector<LogRecord> records;
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        return records;
    }
    std::string data;
    if (fseek(file, static_cast<long>(*offset), SEEK_SET) == 0) {
        char block[4096];
        size_t got;
        while ((got = fread(block, 1, sizeof block, file)) > 0) {
            data.append(block, got);
        }
    }
    fclose(file);
    size_t position = 0;
    while (position < data.size()) {
        size_t lineEnd = data.find('\n', position);
        if (lineEnd == std::string::npos) {
            break;
        }
        std::string header = data.substr(position, lineEnd - position);
        size_t space = header.rfind(' ');
        if (space == std::string::npos) {
            break;
        }
        size_t length = strtoul(header.c_str() + space + 1, nullptr, 10);
        if (lineEnd + 1 + length + 1 > data.size()) {
            break; // a record still being written
        }
        records.push_back({header.substr(0, space), data.substr(lineEnd + 1, length)});
        position = lineEnd + 1 + length + 1;
    }
    *offset += position;
    return records;
}

std::vector<LogRecord> ReadLogRecords(const char* path) {
    size_t offset = 0;
    return ReadLogRecordsFrom(path, &offset);
}
