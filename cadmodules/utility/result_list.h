// Building a LISP result list of strings and nested lists as a resbuf chain.
#pragma once

struct resbuf;

struct ResultList {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    int failed = 0; // no memory for a record or a text
};

// Appends an RTLB or RTLE record; 0 when there is no memory.
int AppendListMark(ResultList* list, int type);

// Appends an RTSTR record with a copy of text that the module allocates;
// 0 when there is no memory.
int AppendText(ResultList* list, const char* text);

// Sets the LISP result and releases the chain: the list, nil when it is
// empty, or no result at all (void) after a failure. The module frees its
// texts itself and gives acutRelRb only the host's records.
void ReturnList(ResultList* list);
