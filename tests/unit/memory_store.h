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

    bool KeyExists(const std::wstring& keyPath) override { return keys.count(keyPath) != 0; }

    std::optional<std::vector<uint8_t>> Read(const std::wstring& keyPath, const std::wstring& name,
                                             size_t maxBytes) override {
        const auto key = keys.find(keyPath);
        if (key == keys.end()) return std::nullopt;
        const auto value = key->second.find(name);
        if (value == key->second.end() || value->second.bytes.size() > maxBytes) {
            return std::nullopt;
        }
        return value->second.bytes;
    }

    void Write(const std::wstring& keyPath, const std::wstring& name, StoredType type,
               const std::vector<uint8_t>& bytes) override {
        keys[keyPath][name] = Value{type, bytes};
        writeOrder.push_back(name);
    }

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
    std::vector<std::wstring> writeOrder;
};
