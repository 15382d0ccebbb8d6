#include "menu/strutil/line_reader.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

constexpr char kCtrlZ = 0x1A;

// Moves the unread bytes to the front and reads more behind them. A Ctrl-Z
// that ends a block is held back until the next read shows whether data
// follows it: only a Ctrl-Z at the very end of the data marks the end.
void Refill(TextFile* f) {
    if (f->unread > 0 && f->position > 0) {
        memmove(f->buffer, f->buffer + f->position, f->unread);
    }
    f->position = 0;
    int room = kTextBlockSize - f->unread - f->heldCtrlZ;
    int got = f->source.read(f->source.context, f->buffer + f->unread + f->heldCtrlZ, room);
    if (got < 0) {
        f->error = 1;
        return;
    }
    if (got == 0) {
        f->end = 1;
        f->heldCtrlZ = 0;
        return;
    }
    if (f->heldCtrlZ) {
        f->buffer[f->unread] = kCtrlZ;
        f->unread += 1;
        f->heldCtrlZ = 0;
    }
    f->unread += got;
    if (f->buffer[f->unread - 1] == kCtrlZ) {
        f->unread -= 1;
        f->heldCtrlZ = 1;
    }
}

// Whether the last of count bytes is a lead byte whose trail byte did not
// fit. The piece begins with a character, so walking from its start tells.
bool EndsInsideACharacter(const char* piece, int count) {
    int i = 0;
    while (i < count - 1) {
        i += IsLeadByte932(static_cast<unsigned char>(piece[i])) ? 2 : 1;
    }
    return i == count - 1 && IsLeadByte932(static_cast<unsigned char>(piece[i]));
}

} // namespace

void InitTextFile(TextFile* file, TextSource source) {
    memset(file, 0, sizeof *file);
    file->source = source;
}

int ReadTextLineCounted(char* dst, int size, TextFile* f) {
    if (f == nullptr || dst == nullptr || size < 2) {
        return -1;
    }
    int copied = 0;
    for (;;) {
        while (f->unread > 0) {
            char c = f->buffer[f->position];
            int lineEnd = 0; // bytes of the line end that starts here
            if (c == '\r') {
                if (f->unread == 1 && !f->end && !f->error) {
                    break; // decide after the next read whether LF follows
                }
                if (f->unread >= 2 && f->buffer[f->position + 1] == '\n') {
                    lineEnd = 2;
                }
            } else if (c == '\n' && f->lineEnds == LineEnds::kCrLfOrLf) {
                lineEnd = 1;
            }
            if (lineEnd > 0) {
                f->position += lineEnd;
                f->unread -= lineEnd;
                dst[copied] = '\n';
                dst[copied + 1] = '\0';
                return copied + 1;
            }
            dst[copied++] = c;
            f->position += 1;
            f->unread -= 1;
            if (copied == size - 1) {
                if (copied > 1 && EndsInsideACharacter(dst, copied)) {
                    // A piece never ends inside a character: the lead byte
                    // begins the next piece.
                    copied -= 1;
                    f->position -= 1;
                    f->unread += 1;
                }
                dst[copied] = '\0';
                return copied;
            }
        }
        if (f->end || f->error) {
            if (copied > 0 && !f->error) {
                dst[copied] = '\0'; // a last line without CR LF
                return copied;
            }
            return -1;
        }
        Refill(f);
        if (f->error) {
            return -1;
        }
    }
}

int ReadWholeLine(TextFile* file, std::string* line) {
    line->clear();
    char piece[kTextBlockSize];
    while (ReadTextLine(piece, sizeof piece, file) != nullptr) {
        line->append(piece);
        if (!line->empty() && line->back() == '\n') {
            return 1;
        }
    }
    return !line->empty() && !file->error;
}

void StripLineFeed(char* line) {
    size_t n = strlen(line);
    if (n > 0 && line[n - 1] == '\n') {
        line[n - 1] = '\0';
    }
}

namespace {
int ReadMemory(void* context, char* buffer, int count) {
    MemoryText* m = static_cast<MemoryText*>(context);
    int left = m->size - m->offset;
    int n = count < left ? count : left;
    if (m->maxChunk > 0 && n > m->maxChunk) {
        n = m->maxChunk;
    }
    if (n > 0) {
        memcpy(buffer, m->data + m->offset, n);
        m->offset += n;
    }
    return n;
}
} // namespace

TextSource MemoryTextSource(MemoryText* text) {
    return TextSource{text, ReadMemory};
}
