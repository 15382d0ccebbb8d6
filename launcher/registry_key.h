// One registry key, reached through its parent key; the launcher's only way
// to the registry.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The CAD programs are 32-bit: on 64-bit Windows their keys below
// HKEY_LOCAL_MACHINE are in the registry's 32-bit view, which the 32-bit
// build sees by itself and the 64-bit build must ask for. HKEY_CURRENT_USER's
// Software key is the same in both views.
#ifdef _WIN64
constexpr REGSAM kMachineKeyView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kMachineKeyView = 0; // the flag is unknown to older Windows
#endif

class RegistryKey {
public:
    // A key has the registry view of its parent.
    RegistryKey(RegistryKey* parent, std::string name, REGSAM access, DWORD options = 0)
        : parent_(parent), name_(std::move(name)), access_(access), options_(options),
          view_(parent != nullptr ? parent->view_ : 0) {}
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Each works only when the parent is open, the name is not empty and the
    // key is not open yet. Create is true only for a key that did not exist;
    // an existing key is opened all the same.
    bool Open();
    bool Create();
    bool Close();

    // Registry type of a value, 0 when it is missing or cannot be read.
    DWORD GetValueType(const char* name);
    // A REG_SZ value whole, however long; false (text unchanged) otherwise.
    bool ReadText(const char* name, std::string* text);
    // A REG_DWORD value; false (value unchanged) otherwise.
    bool ReadDword(const char* name, DWORD* value);
    bool WriteText(const char* name, const std::string& text);
    bool WriteDword(const char* name, DWORD value);
    // Names of the values / closed child keys, in enumeration order; false
    // (list partly filled) when the enumeration failed before its end.
    bool ListValueNames(std::vector<std::string>* names);
    bool ListSubkeyNames(std::vector<std::string>* names);
    bool ListSubkeys(std::vector<std::unique_ptr<RegistryKey>>* keys);
    bool DeleteValue(const char* name);
    // Writes the key's hive to disk now (RegFlushKey).
    bool Flush();
    // Deletes the child key name with every key below it.
    bool DeleteChildTree(const std::string& name);

    bool IsOpen() const { return handle_ != nullptr; }
    const std::string& Name() const { return name_; }
    void SetAccess(REGSAM access) { access_ = access; }

private:
    friend class RootKeys;
    bool Usable() const { return parent_ != nullptr && parent_->IsOpen() && !name_.empty(); }

    RegistryKey* parent_;
    std::string name_;
    REGSAM access_;
    DWORD options_;
    REGSAM view_;
    HKEY handle_ = nullptr;
};

// The four predefined root keys, for the duration of one operation; their
// handles are never closed.
class RootKeys {
public:
    RootKeys();
    ~RootKeys();
    RootKeys(const RootKeys&) = delete;
    RootKeys& operator=(const RootKeys&) = delete;

    // A new open key below a root key, named by the path, or nullptr.
    std::unique_ptr<RegistryKey> OpenSubkey(HKEY root, const char* path, REGSAM access);

private:
    std::unique_ptr<RegistryKey> keys_[4];
};

// Opens names one level at a time below base, each with access; the keys
// are appended to chain (deepest last). False when a level cannot be opened.
bool OpenKeyPath(RegistryKey* base, const std::vector<std::string>& names, REGSAM access,
                 std::vector<std::unique_ptr<RegistryKey>>* chain);
