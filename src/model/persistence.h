// Loading and saving a ruler's settings: the key layout, the value names and their encodings.
#pragma once

#include <string>

#include "model/ruler_state.h"
#include "model/settings_store.h"

inline constexpr const wchar_t* kVendorKey = L"Software\\Tamarisk";
inline constexpr const wchar_t* kProductKey = L"Software\\Tamarisk\\Linova";

// Software\Tamarisk\Linova\LinovaN
std::wstring InstanceKeyPath(int instanceNumber);

// ScreenSize01 .. ScreenSize04
std::wstring ScreenSizeValueName(size_t monitor);

// Each load opens its key once, for reading only.

// The instance limit (8 or 9) and the four display diagonals of the product key; a diagonal
// that is missing (or no display's) is marked as never stored, so a monitor's own may take its
// place.
void LoadProductValues(RulerState& s, SettingsStore& store);

// The instance's own values with their defaults and repairs; InstanceNumber must be set.
// PrimaryScreenWidth/Height are the caller's to set first.
void LoadInstance(RulerState& s, SettingsStore& store);

// Writes the instance's values (and in instance 1 the product values first). Each key is opened
// once; true when every value was written. A value that fails does not stop the others.
bool SaveInstance(const RulerState& s, SettingsStore& store);
bool SaveProductValues(const RulerState& s, SettingsStore& store);

// Whether any settings of the product are stored: its key exists.
bool SettingsStored(SettingsStore& store);

// Deletes every stored setting: the instance keys 1 to instanceMax in that order, then the
// product key, then the vendor key when no other product keeps a key in it. A key that cannot be
// deleted stays, and the others are deleted all the same.
void DeleteSettings(int instanceMax, SettingsStore& store);
