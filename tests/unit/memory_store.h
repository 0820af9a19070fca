// A settings store held in memory, standing in for the registry.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "model/settings_store.h"

class MemoryStore : public SettingsStore {
  public:
    struct Value {
        StoredType type;
        std::vector<uint8_t> bytes;
    };
    using Key = std::map<std::wstring, Value>;

    std::unique_ptr<StoredKeyReader> OpenToRead(const std::wstring& keyPath) override {
        ++readOpenings[keyPath];
        if (keys.count(keyPath) == 0) return nullptr;
        return std::make_unique<Reader>(*this, keyPath);
    }

    std::unique_ptr<StoredKeyWriter> OpenToWrite(const std::wstring& keyPath) override {
        ++writeOpenings[keyPath];
        if (lockedKeys.count(keyPath) != 0) return nullptr;
        keys[keyPath];
        return std::make_unique<Writer>(*this, keyPath);
    }

    // Like the registry, refuses to delete a key that has subkeys.
    bool DeleteKey(const std::wstring& keyPath) override {
        deletions.push_back(keyPath);
        if (HasSubkeys(keyPath)) return false;
        return keys.erase(keyPath) != 0;
    }

    bool HasSubkeys(const std::wstring& keyPath) override {
        const std::wstring prefix = keyPath + L"\\";
        const auto next = keys.lower_bound(prefix);
        return next != keys.end() && next->first.compare(0, prefix.size(), prefix) == 0;
    }

    bool KeyExists(const std::wstring& keyPath) const { return keys.count(keyPath) != 0; }

    void PutDword(const std::wstring& keyPath, const std::wstring& name, uint32_t v) {
        keys[keyPath][name] = Value{StoredType::kDword,
                                    {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                                     static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)}};
    }

    void PutText(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text) {
        std::vector<uint8_t> bytes;
        for (wchar_t c : text) {
            bytes.push_back(static_cast<uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
        }
        keys[keyPath][name] = Value{StoredType::kString, bytes};
    }

    std::optional<int32_t> Dword(const std::wstring& keyPath, const std::wstring& name) const {
        const auto key = keys.find(keyPath);
        if (key == keys.end()) return std::nullopt;
        const auto value = key->second.find(name);
        if (value == key->second.end() || value->second.bytes.size() != 4) return std::nullopt;
        const auto& b = value->second.bytes;
        return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                    (static_cast<uint32_t>(b[3]) << 24));
    }

    std::map<std::wstring, Key> keys;
    // The names of the values asked to be written, in that order.
    std::vector<std::wstring> writeOrder;
    // The key paths asked to be deleted, in that order.
    std::vector<std::wstring> deletions;
    // How often each key path was asked for, and how many keys are open now.
    std::map<std::wstring, int> readOpenings;
    std::map<std::wstring, int> writeOpenings;
    int openKeys = 0;
    // Keys that do not open for writing, and value names whose writes fail.
    std::set<std::wstring> lockedKeys;
    std::set<std::wstring> failingValues;

  private:
    class Reader : public StoredKeyReader {
      public:
        Reader(MemoryStore& store, std::wstring path) : store_(store), path_(std::move(path)) {
            ++store_.openKeys;
        }
        ~Reader() override { --store_.openKeys; }

        std::optional<std::vector<uint8_t>> Read(const std::wstring& name,
                                                 size_t maxBytes) override {
            const Key& key = store_.keys[path_];
            const auto value = key.find(name);
            if (value == key.end() || value->second.bytes.size() > maxBytes) return std::nullopt;
            return value->second.bytes;
        }

      private:
        MemoryStore& store_;
        std::wstring path_;
    };

    class Writer : public StoredKeyWriter {
      public:
        Writer(MemoryStore& store, std::wstring path) : store_(store), path_(std::move(path)) {
            ++store_.openKeys;
        }
        ~Writer() override { --store_.openKeys; }

        bool Write(const std::wstring& name, StoredType type,
                   const std::vector<uint8_t>& bytes) override {
            store_.writeOrder.push_back(name);
            if (store_.failingValues.count(name) != 0) return false;
            store_.keys[path_][name] = Value{type, bytes};
            return true;
        }

      private:
        MemoryStore& store_;
        std::wstring path_;
    };
};
