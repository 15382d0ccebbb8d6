// The stand-in's DDE server: accepts execute transactions for one service
// and topic and logs their bytes.
#pragma once

// Registers the service; 1 on success.
int StartDdeServer(const char* service, const char* topic, const char* logPath);

// Ends every open conversation (as the CAD program does when it exits).
void EndDdeConversations();

void StopDdeServer();
