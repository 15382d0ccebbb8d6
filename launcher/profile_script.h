// Making the package's CAD profile as a copy of a base profile changed by
// the setup file's registry script (sections "REG-" + subkey name).
#pragma once

#include <memory>

#include "launcher/registry_key.h"
#include "launcher/setup_file.h"

// A value of the new profile key itself (a copy holds no values there),
// written before the first subkey is copied and deleted after the last: a
// profile that holds it is an unfinished copy (the launcher was ended, the
// power lost), made again on the next start.
constexpr const char* kUnfinishedProfileMark = "VXCAD-Unfinished";

// Makes the profile named by [REGISTRY] PFNAME below profiles from base
// (a closed key below profiles): what can be read is copied, keys and
// values that cannot be read or written are passed over. Returns the new
// (closed) key, or nullptr when nothing was made: the key existed or could
// not be made, the base cannot be opened, or the copy could not be marked
// finished (it is deleted again).
std::unique_ptr<RegistryKey> CopyProfileWithScript(RegistryKey* profiles, RegistryKey* base,
                                                   SetupFile& setup);
