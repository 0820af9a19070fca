// Where the settings live: the registry in the program, a map in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The stored value types, numbered as the registry numbers them (REG_DWORD, REG_SZ).
enum class StoredType : uint32_t { kDword = 4, kString = 1 };

// A key opened for reading; it is closed when this object goes.
class StoredKeyReader {
  public:
    virtual ~StoredKeyReader() = default;

    // The raw bytes of a value whatever its type, or nothing when the value is missing or larger
    // than maxBytes.
    virtual std::optional<std::vector<uint8_t>> Read(const std::wstring& name, size_t maxBytes) = 0;
};

// A key opened for writing; it is closed when this object goes.
class StoredKeyWriter {
  public:
    virtual ~StoredKeyWriter() = default;

    // Whether the value was written.
    virtual bool Write(const std::wstring& name, StoredType type,
                       const std::vector<uint8_t>& bytes) = 0;
};

// A load or a save opens each key once and reads or writes all its values through that one
// opening.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The key under the user's root, opened for reading only; nothing when it does not open.
    virtual std::unique_ptr<StoredKeyReader> OpenToRead(const std::wstring& keyPath) = 0;

    // The key under the user's root, created when needed and opened for writing only; nothing
    // when that fails.
    virtual std::unique_ptr<StoredKeyWriter> OpenToWrite(const std::wstring& keyPath) = 0;

    // Deletes the key under the user's root with its values; a key that still holds subkeys
    // stays. Whether it was deleted.
    virtual bool DeleteKey(const std::wstring& keyPath) = 0;

    // Whether the key holds at least one subkey; false when it does not open.
    virtual bool HasSubkeys(const std::wstring& keyPath) = 0;
};
