// Where the settings live: the registry in the program, a map in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class StoredType : uint32_t { kDword = 4, kString = 1 };  // REG_DWORD, REG_SZ

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // Whether the key under the user's root opens.
    virtual bool KeyExists(const std::wstring& keyPath) = 0;

    // The raw bytes of a value whatever its type, or nothing when the key or value is missing or
    // the value is larger than maxBytes.
    virtual std::optional<std::vector<uint8_t>> Read(const std::wstring& keyPath,
                                                     const std::wstring& name, size_t maxBytes) = 0;

    // Creates the key when needed and writes the value; failures are silent.
    virtual void Write(const std::wstring& keyPath, const std::wstring& name, StoredType type,
                       const std::vector<uint8_t>& bytes) = 0;
};
