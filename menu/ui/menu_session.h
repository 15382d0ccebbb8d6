// Opening and ending the floating menu's windows.
#pragma once

// Saves layout slot 0 (once per run) and destroys the top window, which
// ends the program.
void EndFloatingMenu();
