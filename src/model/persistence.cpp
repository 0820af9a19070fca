// Loading and saving a ruler's settings: the key layout, the value names and their encodings.
#include "model/persistence.h"

#include <cstring>

#include "model/edid.h"
#include "model/stored_values.h"
#include "model/text_format.h"

namespace {

constexpr size_t kDwordBytes = 4;
// Longer stored texts count as missing; shorter ones are read up to this many characters.
constexpr size_t kSettingsMaxBytes = 261;
constexpr size_t kSettingsMaxChars = 30;

// A value of four bytes or fewer is taken as the field's bytes, whatever its stored type.
std::optional<uint32_t> ReadDword(StoredKeyReader& key, const std::wstring& name) {
    const auto bytes = key.Read(name, kDwordBytes);
    if (!bytes) return std::nullopt;
    uint32_t v = 0;
    for (size_t i = 0; i < bytes->size() && i < kDwordBytes; ++i) {
        v |= static_cast<uint32_t>((*bytes)[i]) << (8 * i);
    }
    return v;
}

std::vector<uint8_t> DwordBytes(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

bool WriteDword(StoredKeyWriter& key, const std::wstring& name, int32_t value) {
    return key.Write(name, StoredType::kDword, DwordBytes(value));
}

// The stored flag text: UTF-16 little-endian, no terminator.
std::wstring ReadSettingsText(StoredKeyReader& key) {
    const auto bytes = key.Read(L"Settings", kSettingsMaxBytes);
    if (!bytes) return kDefaultSettingsText;
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes->size() && text.size() < kSettingsMaxChars; i += 2) {
        const wchar_t c = static_cast<wchar_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
        if (c == L'\0') break;
        text += c;
    }
    return text;
}

std::vector<uint8_t> Utf16Bytes(const std::wstring& text) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}

// A diagonal outside this range is not a display (and 0 would divide by zero): it counts as
// never stored.
std::optional<int16_t> StoredScreenSize(const std::optional<uint32_t>& value) {
    if (!value) return std::nullopt;
    const int16_t tenthsOfInch = Low16(*value);
    if (tenthsOfInch < 30 || tenthsOfInch > 5000) return std::nullopt;
    return tenthsOfInch;
}

// Older versions ignore it; it is written only once the user has chosen it (SnapEdgesStored).
constexpr const wchar_t* kSnapEdgesValue = L"SnapEdges";

}  // namespace

std::wstring InstanceKeyPath(int instanceNumber) {
    return std::wstring(kProductKey) + L"\\Linova" + DecimalText(instanceNumber);
}

std::wstring ScreenSizeValueName(size_t monitor) {
    return L"ScreenSize" + ZeroPadded(static_cast<int64_t>(monitor), 2);
}

void LoadProductValues(RulerState& s, SettingsStore& store) {
    if (const auto key = store.OpenToRead(kProductKey)) {
        const auto max = ReadDword(*key, L"Linovamax");
        s.InstanceMax = static_cast<int16_t>((max ? Low16(*max) : 8) % 10);
        for (size_t k = 1; k <= kMaxMonitors; ++k) {
            const auto chosen = ChooseDiagonal(
                StoredScreenSize(ReadDword(*key, ScreenSizeValueName(k))), std::nullopt);
            s.ScreenSize[k - 1] = chosen.tenthsOfInch;
            s.ScreenSizeSource[k - 1] = chosen.source;
        }
    }
    // Eight rulers, or nine when the stored limit says so.
    if (s.InstanceMax <= 8) s.InstanceMax = 8;
}

void LoadInstance(RulerState& s, SettingsStore& store) {
    if (const auto key = store.OpenToRead(InstanceKeyPath(s.InstanceNumber))) {
        for (const StoredValue& row : kStoredValues) {
            if (const auto v = ReadDword(*key, row.name)) {
                row.field.Set(s, static_cast<int32_t>(*v));
                if (row.modulus) row.field.Set(s, row.field.Get(s) % row.modulus);
            } else if (!row.missing.kept) {
                row.field.Set(s, row.missing.perInstance * s.InstanceNumber + row.missing.base);
            }
        }
        ParseSettings(s, ReadSettingsText(*key));
        if (const auto snap = ReadDword(*key, kSnapEdgesValue)) {
            s.SnapEdges = *snap != 0 ? 1 : 0;
            s.SnapEdgesStored = true;
        }
    }
    ApplyLoadClamps(s);
}

bool SaveProductValues(const RulerState& s, SettingsStore& store) {
    const auto key = store.OpenToWrite(kProductKey);
    if (!key) return false;
    bool written = WriteDword(*key, L"Linovamax", s.InstanceMax);
    for (size_t k = 1; k <= kMaxMonitors; ++k) {
        written = WriteDword(*key, ScreenSizeValueName(k), s.ScreenSize[k - 1]) && written;
    }
    return written;
}

bool SaveInstance(const RulerState& s, SettingsStore& store) {
    // The ruler's own values are worth keeping even when the product's could not be written.
    bool written = s.InstanceNumber != 1 || SaveProductValues(s, store);
    const auto key = store.OpenToWrite(InstanceKeyPath(s.InstanceNumber));
    if (!key) return false;
    // A value that cannot be written does not keep the others from being written.
    for (const StoredValue& row : kStoredValues) {
        written = key->Write(row.name, row.type, DwordBytes(row.field.Get(s))) && written;
    }
    written =
        key->Write(L"Settings", StoredType::kString, Utf16Bytes(FormatSettings(s))) && written;
    if (s.SnapEdgesStored) written = WriteDword(*key, kSnapEdgesValue, s.SnapEdges) && written;
    return written;
}

bool SettingsStored(SettingsStore& store) {
    return store.OpenToRead(kProductKey) != nullptr;
}

void DeleteSettings(int instanceMax, SettingsStore& store) {
    for (int n = 1; n <= instanceMax; ++n) store.DeleteKey(InstanceKeyPath(n));
    store.DeleteKey(kProductKey);
    if (!store.HasSubkeys(kVendorKey)) store.DeleteKey(kVendorKey);
}
