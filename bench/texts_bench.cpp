// How long the readout texts and a settings load take; prints numbers, asserts nothing.
#include <chrono>
#include <cstdio>

#include "model/persistence.h"
#include "model/units.h"
#include "ops/readout.h"

namespace {

// A store whose every key opens and answers every read from one fixed set of values.
class FixedKey : public StoredKeyReader, public StoredKeyWriter {
  public:
    std::optional<std::vector<uint8_t>> Read(const std::wstring& name, size_t maxBytes) override {
        if (name == L"Settings") {
            std::vector<uint8_t> bytes;
            for (const wchar_t* c = kDefaultSettingsText; *c; ++c) {
                bytes.push_back(static_cast<uint8_t>(*c));
                bytes.push_back(0);
            }
            return bytes.size() <= maxBytes ? std::optional(bytes) : std::nullopt;
        }
        return std::vector<uint8_t>{0x2C, 0x01, 0, 0};
    }
    bool Write(const std::wstring&, StoredType, const std::vector<uint8_t>&) override {
        return true;
    }
};

class FixedStore : public SettingsStore {
  public:
    std::unique_ptr<StoredKeyReader> OpenToRead(const std::wstring&) override {
        return std::make_unique<FixedKey>();
    }
    std::unique_ptr<StoredKeyWriter> OpenToWrite(const std::wstring&) override {
        return std::make_unique<FixedKey>();
    }
    bool DeleteKey(const std::wstring&) override { return false; }
    bool HasSubkeys(const std::wstring&) override { return true; }
};

template <typename F>
double NanosecondsPerCall(int calls, F&& f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) f(i);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / calls;
}

}  // namespace

int main() {
    RulerState s;
    s.Scaling = 378;
    size_t sink = 0;
    for (int16_t unit : {kUnitPixel, kUnitCm, kUnitInch}) {
        s.Unit = unit;
        const double ns =
            NanosecondsPerCall(1000000, [&](int i) { sink += FormatLength(s, i).size(); });
        std::printf("FormatLength unit %d: %.1f ns\n", unit, ns);
    }
    const double readout = NanosecondsPerCall(200000, [&](int i) {
        s.Marker = i;
        sink += MakeReadoutTexts(s, L"Linova <1>").tooltip.size();
    });
    std::printf("readout title and tooltip: %.1f ns\n", readout);
    FixedStore store;
    const double load = NanosecondsPerCall(200000, [&](int) {
        RulerState loaded;
        LoadProductValues(loaded, store);
        LoadInstance(loaded, store);
        sink += static_cast<size_t>(loaded.Lenght);
    });
    std::printf("settings load: %.1f ns\n", load);
    return sink == 0;
}
