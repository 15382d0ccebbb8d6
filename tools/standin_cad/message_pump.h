// The stand-in's one way of taking the messages of its queue, for its main
// loop and the loops that run while it waits (an alert, its start-up delay).
#pragma once

#include <windows.h>

// Dispatches the messages in the queue, stopping early once *keepGoing turns
// false (nullptr: all of them). False when WM_QUIT was met: it is posted
// again, so that the loop that owns the program sees it too.
bool DispatchQueuedMessages(const bool* keepGoing = nullptr);

// Waits until a message arrives, at most timeoutMs.
void WaitForMessage(DWORD timeoutMs = INFINITE);
