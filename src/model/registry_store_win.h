// The settings store of the program: the current user's registry.
#pragma once

#include "model/settings_store.h"

class RegistryStore : public SettingsStore {
  public:
    std::unique_ptr<StoredKeyReader> OpenToRead(const std::wstring& keyPath) override;
    std::unique_ptr<StoredKeyWriter> OpenToWrite(const std::wstring& keyPath) override;
    bool DeleteKey(const std::wstring& keyPath) override;
    bool HasSubkeys(const std::wstring& keyPath) override;
};
