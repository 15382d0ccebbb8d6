#include "cadmodules/utility/result_list.h"

#include "cadmodules/frame/cad_interface.h"

#include <cstdlib>
#include <cstring>

namespace {

resbuf* Append(ResultList* list, int type) {
    if (list->failed) {
        return nullptr;
    }
    resbuf* record = acutNewRb(type);
    if (record == nullptr) {
        list->failed = 1;
        return nullptr;
    }
    if (list->tail != nullptr) {
        list->tail->rbnext = record;
    } else {
        list->head = record;
    }
    list->tail = record;
    return record;
}

} // namespace

int AppendListMark(ResultList* list, int type) {
    return Append(list, type) != nullptr;
}

int AppendText(ResultList* list, const char* text) {
    resbuf* record = Append(list, RTSTR);
    if (record == nullptr) {
        return 0;
    }
    const size_t size = strlen(text) + 1;
    record->resval.rstring = static_cast<char*>(malloc(size));
    if (record->resval.rstring == nullptr) {
        list->failed = 1;
        return 0;
    }
    memcpy(record->resval.rstring, text, size);
    return 1;
}

void ReturnList(ResultList* list) {
    if (!list->failed) {
        if (list->head != nullptr) {
            acedRetList(list->head);
        } else {
            acedRetNil();
        }
    }
    // The texts are this module's own: freed here, so that acutRelRb frees
    // only the host's records.
    for (resbuf* record = list->head; record != nullptr; record = record->rbnext) {
        if (record->restype == RTSTR) {
            free(record->resval.rstring);
            record->resval.rstring = nullptr;
        }
    }
    if (list->head != nullptr) {
        acutRelRb(list->head);
    }
    list->head = list->tail = nullptr;
}
