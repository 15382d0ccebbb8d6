// Making the package's CAD profile as a copy of a base profile changed by
// the setup file's registry script (sections "REG-" + subkey name).
#pragma once

#include <memory>

#include "launcher/registry_key.h"
#include "launcher/setup_file.h"

// Makes the profile named by [REGISTRY] PFNAME below profiles from base.
// Returns the new (closed) key, or nullptr when nothing was made: the key
// existed or could not be made, or could not be filled completely (the
// partial copy is deleted again).
std::unique_ptr<RegistryKey> CopyProfileWithScript(RegistryKey* profiles, RegistryKey* base,
                                                   SetupFile& setup);
