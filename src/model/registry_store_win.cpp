// The settings store of the program: the current user's registry.
#include "model/registry_store_win.h"

#include <windows.h>

namespace {

// Closes the key when it leaves scope.
class Key {
  public:
    Key(const std::wstring& path, REGSAM access) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    explicit Key(HKEY key) : key_(key) {}
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

bool RegistryStore::KeyExists(const std::wstring& keyPath) {
    return Key(keyPath, KEY_READ).get() != nullptr;
}

std::optional<std::vector<uint8_t>> RegistryStore::Read(const std::wstring& keyPath,
                                                        const std::wstring& name, size_t maxBytes) {
    Key key(keyPath, KEY_READ);
    if (!key.get()) return std::nullopt;
    std::vector<uint8_t> bytes(maxBytes);
    DWORD size = static_cast<DWORD>(maxBytes);
    DWORD type = 0;
    // The type is not checked: whatever fits is taken as the value's bytes.
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, bytes.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

void RegistryStore::Write(const std::wstring& keyPath, const std::wstring& name, StoredType type,
                          const std::vector<uint8_t>& bytes) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return;
    }
    Key key(created);
    RegSetValueExW(key.get(), name.c_str(), 0, static_cast<DWORD>(type), bytes.data(),
                   static_cast<DWORD>(bytes.size()));
}
