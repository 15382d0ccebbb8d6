#include "launcher/registry_key.h"

#include <utility>

namespace {

// Enumerates names (values or subkeys) by index into names. The name length
// is set anew before each call and the buffer grows on ERROR_MORE_DATA;
// only ERROR_NO_MORE_ITEMS ends the list.
template <typename Enumerate>
bool EnumerateNames(std::vector<std::string>* names, Enumerate enumerate) {
    std::vector<char> buffer(1024);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG result = enumerate(index, buffer.data(), &length);
        if (result == ERROR_NO_MORE_ITEMS) {
            return true;
        }
        if (result == ERROR_MORE_DATA && buffer.size() < 65536) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        if (result != ERROR_SUCCESS) {
            return false;
        }
        names->emplace_back(buffer.data(), length);
        ++index;
    }
}

} // namespace

RegistryKey::~RegistryKey() {
    if (handle_ != nullptr) {
        RegCloseKey(handle_);
    }
}

bool RegistryKey::Open() {
    if (!Usable() || IsOpen()) {
        return false;
    }
    HKEY handle = nullptr;
    if (RegOpenKeyExA(parent_->handle_, name_.c_str(), 0, access_ | view_, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    handle_ = handle;
    return true;
}

bool RegistryKey::Create() {
    if (!Usable() || IsOpen()) {
        return false;
    }
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent_->handle_, name_.c_str(), 0, nullptr, options_, access_ | view_,
                        nullptr, &handle, &disposition) != ERROR_SUCCESS) {
        return false;
    }
    handle_ = handle;
    return disposition == REG_CREATED_NEW_KEY;
}

bool RegistryKey::Close() {
    if (!Usable() || !IsOpen()) {
        return false;
    }
    LONG result = RegCloseKey(handle_);
    handle_ = nullptr;
    return result == ERROR_SUCCESS;
}

DWORD RegistryKey::GetValueType(const char* name) {
    DWORD type = 0;
    if (!IsOpen() ||
        RegQueryValueExA(handle_, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
        return 0;
    }
    return type;
}

bool RegistryKey::ReadText(const char* name, std::string* text) {
    if (GetValueType(name) != REG_SZ) {
        return false;
    }
    // The size may change between the calls: ask again while it grows.
    std::vector<char> buffer(2048);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size() - 1);
        LONG result = RegQueryValueExA(handle_, name, nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(size + 2);
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            return false;
        }
        // The stored text need not end in a zero; one that does is cut there.
        buffer[size] = '\0';
        text->assign(buffer.data());
        return true;
    }
}

bool RegistryKey::ReadDword(const char* name, DWORD* value) {
    if (GetValueType(name) != REG_DWORD) {
        return false;
    }
    DWORD number = 0;
    DWORD size = sizeof number;
    DWORD type = 0;
    if (RegQueryValueExA(handle_, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number) {
        return false;
    }
    *value = number;
    return true;
}

bool RegistryKey::WriteText(const char* name, const std::string& text) {
    return IsOpen() &&
           RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteDword(const char* name, DWORD value) {
    return IsOpen() &&
           RegSetValueExA(handle_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) {
    return IsOpen() && RegDeleteValueA(handle_, name) == ERROR_SUCCESS;
}

bool RegistryKey::Flush() {
    return IsOpen() && RegFlushKey(handle_) == ERROR_SUCCESS;
}

bool RegistryKey::ListValueNames(std::vector<std::string>* names) {
    return IsOpen() && EnumerateNames(names, [this](DWORD index, char* name, DWORD* length) {
               return RegEnumValueA(handle_, index, name, length, nullptr, nullptr, nullptr,
                                    nullptr);
           });
}

bool RegistryKey::ListSubkeyNames(std::vector<std::string>* names) {
    return IsOpen() && EnumerateNames(names, [this](DWORD index, char* name, DWORD* length) {
               return RegEnumKeyExA(handle_, index, name, length, nullptr, nullptr, nullptr,
                                    nullptr);
           });
}

bool RegistryKey::ListSubkeys(std::vector<std::unique_ptr<RegistryKey>>* keys) {
    std::vector<std::string> names;
    bool listed = ListSubkeyNames(&names);
    for (std::string& name : names) {
        keys->push_back(std::make_unique<RegistryKey>(this, std::move(name), KEY_ALL_ACCESS));
    }
    return listed;
}

bool RegistryKey::DeleteChildTree(const std::string& name) {
    RegistryKey child(this, name, KEY_ALL_ACCESS);
    if (!child.Open()) {
        return false;
    }
    std::vector<std::unique_ptr<RegistryKey>> below;
    child.ListSubkeys(&below);
    for (const std::unique_ptr<RegistryKey>& key : below) {
        child.DeleteChildTree(key->Name());
    }
    child.Close();
    return RegDeleteKeyA(handle_, name.c_str()) == ERROR_SUCCESS;
}

RootKeys::RootKeys() {
    const std::pair<HKEY, const char*> roots[4] = {
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
        {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
        {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
        {HKEY_USERS, "HKEY_USERS"},
    };
    for (int i = 0; i < 4; ++i) {
        keys_[i] = std::make_unique<RegistryKey>(nullptr, roots[i].second, KEY_ALL_ACCESS);
        keys_[i]->handle_ = roots[i].first;
        keys_[i]->view_ = roots[i].first == HKEY_LOCAL_MACHINE ? kMachineKeyView : 0;
    }
}

RootKeys::~RootKeys() {
    for (std::unique_ptr<RegistryKey>& key : keys_) {
        key->handle_ = nullptr; // predefined: never closed
    }
}

std::unique_ptr<RegistryKey> RootKeys::OpenSubkey(HKEY root, const char* path, REGSAM access) {
    for (std::unique_ptr<RegistryKey>& key : keys_) {
        if (key->handle_ == root) {
            auto subkey = std::make_unique<RegistryKey>(key.get(), path, access);
            return subkey->Open() ? std::move(subkey) : nullptr;
        }
    }
    return nullptr;
}

bool OpenKeyPath(RegistryKey* base, const std::vector<std::string>& names, REGSAM access,
                 std::vector<std::unique_ptr<RegistryKey>>* chain) {
    RegistryKey* parent = base;
    for (const std::string& name : names) {
        chain->push_back(std::make_unique<RegistryKey>(parent, name, access));
        if (!chain->back()->Open()) {
            return false;
        }
        parent = chain->back().get();
    }
    return true;
}
