// The stand-in's DDE server: accepts execute transactions for one service
// and topic and logs their bytes, and logs each conversation's start and end.
#pragma once

#include <string>

// Writes one log record of the given kind.
using DdeLogger = void (*)(const char* kind, const std::string& bytes);

// Registers the service; 1 on success. Executes are logged as "DDE", new
// conversations as "CONNECT" and ended ones as "DISCONNECT" (bytes: the
// service name).
int StartDdeServer(const char* service, const char* topic, DdeLogger log);

// Ends every open conversation (as the CAD program does when it exits).
void EndDdeConversations();

void StopDdeServer();
