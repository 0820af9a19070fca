// The settings store of the program: the current user's registry.
#include "model/registry_store_win.h"

#include <windows.h>

namespace {

// Closes the key when it leaves scope.
class KeyHandle {
  public:
    explicit KeyHandle(HKEY key) : key_(key) {}
    ~KeyHandle() { RegCloseKey(key_); }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_;
};

class RegistryReader : public StoredKeyReader {
  public:
    explicit RegistryReader(HKEY key) : key_(key) {}

    std::optional<std::vector<uint8_t>> Read(const std::wstring& name, size_t maxBytes) override {
        std::vector<uint8_t> bytes(maxBytes);
        DWORD size = static_cast<DWORD>(maxBytes);
        DWORD type = 0;
        // The type is not checked: whatever fits is taken as the value's bytes.
        if (RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, bytes.data(), &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        bytes.resize(size);
        return bytes;
    }

  private:
    KeyHandle key_;
};

class RegistryWriter : public StoredKeyWriter {
  public:
    explicit RegistryWriter(HKEY key) : key_(key) {}

    bool Write(const std::wstring& name, StoredType type,
               const std::vector<uint8_t>& bytes) override {
        return RegSetValueExW(key_.get(), name.c_str(), 0, static_cast<DWORD>(type), bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

  private:
    KeyHandle key_;
};

}  // namespace

std::unique_ptr<StoredKeyReader> RegistryStore::OpenToRead(const std::wstring& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryReader>(key);
}

std::unique_ptr<StoredKeyWriter> RegistryStore::OpenToWrite(const std::wstring& keyPath) {
    HKEY key = nullptr;
    // Setting values is all a save does: asking for more would fail where only that is allowed.
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryWriter>(key);
}

bool RegistryStore::DeleteKey(const std::wstring& keyPath) {
    // The system refuses to delete a key that has subkeys.
    return RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str()) == ERROR_SUCCESS;
}

bool RegistryStore::HasSubkeys(const std::wstring& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    const KeyHandle open(key);
    wchar_t name[256];
    DWORD length = 256;
    return RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
           ERROR_NO_MORE_ITEMS;
}
