// The settings store of the program: the current user's registry.
#pragma once

#include "model/settings_store.h"

class RegistryStore : public SettingsStore {
  public:
    bool KeyExists(const std::wstring& keyPath) override;
    std::optional<std::vector<uint8_t>> Read(const std::wstring& keyPath, const std::wstring& name,
                                             size_t maxBytes) override;
    void Write(const std::wstring& keyPath, const std::wstring& name, StoredType type,
               const std::vector<uint8_t>& bytes) override;
};
