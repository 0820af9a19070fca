// Loading and saving settings through a store: layout, defaults, encodings and repairs.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "../e2e/stored_values.h"
#include "memory_store.h"
#include "model/persistence.h"

namespace {

const std::wstring kInstance1 = L"Software\\Tamarisk\\Linova\\Linova1";
const std::wstring kInstance3 = L"Software\\Tamarisk\\Linova\\Linova3";

RulerState Loaded(MemoryStore& store, int16_t instance) {
    RulerState s;
    s.InstanceNumber = instance;
    LoadProductValues(s, store);
    LoadInstance(s, store);
    return s;
}

TEST(Persistence, KeyPathsAndValueNames) {
    EXPECT_EQ(InstanceKeyPath(1), kInstance1);
    EXPECT_EQ(InstanceKeyPath(9), L"Software\\Tamarisk\\Linova\\Linova9");
    EXPECT_EQ(ScreenSizeValueName(1), L"ScreenSize01");
    EXPECT_EQ(ScreenSizeValueName(4), L"ScreenSize04");
}

TEST(Persistence, EmptyStoreKeepsInitialValues) {
    MemoryStore store;
    const RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.InstanceMax, 8);
    for (int16_t size : s.ScreenSize) EXPECT_EQ(size, 170);
    EXPECT_EQ(s.BackColor, 0);
    EXPECT_EQ(s.xPosi, 20);
    EXPECT_EQ(s.yPosi, 100);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.ScaleLength, 300);
    EXPECT_EQ(s.Scaling, 300);
    EXPECT_EQ(s.ScalingAuto, 0);
    EXPECT_EQ(s.Unit, 1);
    EXPECT_EQ(s.FontStyle, 1);
    EXPECT_EQ(s.TopMost, 1);
    EXPECT_EQ(s.WheelMode, 1);
    EXPECT_EQ(s.LayerWindow, 192);
}

TEST(Persistence, PresentKeyWithEveryValueMissingUsesPerInstanceDefaults) {
    MemoryStore store;
    store.keys[kInstance3];
    const RulerState s = Loaded(store, 3);
    EXPECT_EQ(s.xPosi, 125);
    EXPECT_EQ(s.yPosi, 169);
    EXPECT_EQ(s.Lenght, 380);
    EXPECT_EQ(s.ScaleLength, 380);
    EXPECT_EQ(s.Scaling, 300);
    EXPECT_EQ(s.Marker, 150);
    EXPECT_EQ(s.MarkerBlue, 180);
    EXPECT_EQ(s.BackColor, 4);
    EXPECT_EQ(s.LayerWindow, 192);
    EXPECT_EQ(s.MagnifierWinSizeX, 325);
    EXPECT_EQ(s.MagnifierWinSizeY, 278);
    EXPECT_EQ(s.Magnifier, 4);
    EXPECT_EQ(s.ScalingAuto, 1);
    EXPECT_EQ(s.Unit, 1);
    EXPECT_EQ(s.FontStyle, 1);
}

TEST(Persistence, StoredValuesAreRepaired) {
    MemoryStore store;
    store.PutDword(kInstance1, L"BackColor", 25);
    store.PutDword(kInstance1, L"Lenght", 49);
    store.PutDword(kInstance1, L"Scaling", 29);
    store.PutDword(kInstance1, L"LayerWindow", 20);
    store.PutDword(kInstance1, L"Marker", 0xFFFFFFFF);
    RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.BackColor, 2);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.Scaling, 300);
    EXPECT_EQ(s.LayerWindow, 35);
    EXPECT_EQ(s.Marker, 100);

    store.PutDword(kInstance1, L"Lenght", 50);
    store.PutDword(kInstance1, L"LayerWindow", 300);
    store.PutDword(kInstance1, L"Magnifier", 0);
    store.PutDword(kInstance1, L"MagType", 7);
    s = Loaded(store, 1);
    EXPECT_EQ(s.Lenght, 50);
    EXPECT_EQ(s.LayerWindow, 255);
    EXPECT_EQ(s.Magnifier, 4);
    EXPECT_EQ(s.MagType, 0);
}

TEST(Persistence, MagnifierSizeIsHeldWithinTheWindowsLimits) {
    MemoryStore store;
    store.PutDword(kInstance1, L"MagnifierWinSizeX", 0x80000000);
    store.PutDword(kInstance1, L"MagnifierWinSizeY", 100000);
    RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.MagnifierWinSizeX, 150);
    EXPECT_EQ(s.MagnifierWinSizeY, 500);
    store.PutDword(kInstance1, L"MagnifierWinSizeX", 601);
    store.PutDword(kInstance1, L"MagnifierWinSizeY", 119);
    s = Loaded(store, 1);
    EXPECT_EQ(s.MagnifierWinSizeX, 600);
    EXPECT_EQ(s.MagnifierWinSizeY, 120);
    store.PutDword(kInstance1, L"MagnifierWinSizeX", 150);
    store.PutDword(kInstance1, L"MagnifierWinSizeY", 500);
    s = Loaded(store, 1);
    EXPECT_EQ(s.MagnifierWinSizeX, 150);
    EXPECT_EQ(s.MagnifierWinSizeY, 500);
    store.PutDword(kInstance1, L"MagnifierWinSizeX", 411);
    store.PutDword(kInstance1, L"MagnifierWinSizeY", 307);
    s = Loaded(store, 1);
    EXPECT_EQ(s.MagnifierWinSizeX, 411);
    EXPECT_EQ(s.MagnifierWinSizeY, 307);
}

TEST(Persistence, SixteenBitFieldsKeepTheLowHalf) {
    MemoryStore store;
    store.PutDword(kInstance1, L"BackColor", 0x00010005);
    store.PutDword(kInstance1, L"LayerWindow", 0x12340080);
    store.PutDword(kInstance1, L"xPosi", 0xFFFFFF9C);  // -100 stays 32-bit
    store.PutDword(L"Software\\Tamarisk\\Linova", L"ScreenSize02", 0x000100F0);
    store.PutDword(L"Software\\Tamarisk\\Linova", L"Linovamax", 0x00020009);
    const RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.BackColor, 5);
    EXPECT_EQ(s.LayerWindow, 128);
    EXPECT_EQ(s.xPosi, -100);
    EXPECT_EQ(s.ScreenSize[1], 240);
    EXPECT_EQ(s.InstanceMax, 9);
}

TEST(Persistence, ValuesOfAnyTypeUpToFourBytesAreTaken) {
    MemoryStore store;
    store.keys[kInstance1][L"Lenght"] = {StoredType::kString, {0x90, 0x01}};  // 400
    store.keys[kInstance1][L"yPosi"] = {StoredType::kString, {1, 2, 3, 4, 5}};
    const RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.Lenght, 400);
    EXPECT_EQ(s.yPosi, 23 + 100);  // too large: missing
}

TEST(Persistence, InstanceLimitIsEightOrNine) {
    for (const auto& [stored, expected] : std::vector<std::pair<uint32_t, int>>{
             {9, 9}, {10, 8}, {12, 8}, {19, 9}, {0, 8}, {0xFFFFFFFF, 8}, {29, 9}}) {
        MemoryStore store;
        store.PutDword(L"Software\\Tamarisk\\Linova", L"Linovamax", stored);
        EXPECT_EQ(Loaded(store, 1).InstanceMax, expected) << stored;
    }
}

TEST(Persistence, ScreenSizesOutsideTheUsableRangeLoadAsSeventeenInches) {
    MemoryStore store;
    const std::wstring product = L"Software\\Tamarisk\\Linova";
    store.PutDword(product, L"ScreenSize01", 0);
    store.PutDword(product, L"ScreenSize02", 29);
    store.PutDword(product, L"ScreenSize03", 5001);
    store.PutDword(product, L"ScreenSize04", 5000);
    const RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.ScreenSize[0], 170);
    EXPECT_EQ(s.ScreenSize[1], 170);
    EXPECT_EQ(s.ScreenSize[2], 170);
    EXPECT_EQ(s.ScreenSize[3], 5000);
}

TEST(Persistence, SettingsTextLimits) {
    MemoryStore store;
    // 100 characters: only the first 30 are read, so the last three slots come from the first 30.
    std::wstring text = L"0,1,0,2,0,0,3,0,0,0,0,2,9,9,9,";
    text += std::wstring(70, L'0');
    store.PutText(kInstance1, L"Settings", text);
    RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.TopMost, 0);
    EXPECT_EQ(s.Vertical, 1);
    EXPECT_EQ(s.Unit, 2);
    EXPECT_EQ(s.WheelMode, 2);

    // 130 characters (260 bytes) still load; 131 count as missing and give the default text.
    store.PutText(kInstance1, L"Settings", L"0,1,0,2,0,0,3,0,0,0,0,2," + std::wstring(106, L'x'));
    EXPECT_EQ(Loaded(store, 1).Unit, 2);
    store.PutText(kInstance1, L"Settings", L"0,1,0,2,0,0,3,0,0,0,0,2," + std::wstring(107, L'x'));
    s = Loaded(store, 1);
    EXPECT_EQ(s.Unit, 1);
    EXPECT_EQ(s.Vertical, 0);
    EXPECT_EQ(s.ScalingAuto, 1);

    // An odd byte count drops the half character.
    store.keys[kInstance1][L"Settings"] = {StoredType::kString, {'0', 0, ',', 0, '1'}};
    s = Loaded(store, 1);
    EXPECT_EQ(s.TopMost, 0);
    EXPECT_EQ(s.Vertical, 0);
}

TEST(Persistence, SaveWritesTheLayoutInOrder) {
    MemoryStore store;
    RulerState s = Loaded(store, 1);
    s.Lenght = 640;
    s.BackColor = -1;  // 16-bit values are written sign-extended
    SaveInstance(s, store);
    // The product's values, then the instance's in the order a ruler writes them.
    std::vector<std::wstring> expected = {L"Linovamax", L"ScreenSize01", L"ScreenSize02",
                                          L"ScreenSize03", L"ScreenSize04"};
    expected.insert(expected.end(), e2e::kInstanceDwordNames.begin(),
                    e2e::kInstanceDwordNames.end());
    expected.push_back(L"Settings");
    EXPECT_EQ(store.writeOrder, expected);
    EXPECT_EQ(store.Dword(L"Software\\Tamarisk\\Linova", L"Linovamax"), 8);
    EXPECT_EQ(store.Dword(kInstance1, L"Lenght"), 640);
    EXPECT_EQ(store.Dword(kInstance1, L"BackColor"), -1);
    EXPECT_EQ(store.Dword(kInstance1, L"Scaling"), 300);
    const auto& settings = store.keys[kInstance1][L"Settings"];
    EXPECT_EQ(settings.type, StoredType::kString);
    ASSERT_EQ(settings.bytes.size(), 48u);  // 24 characters, no terminator
    EXPECT_EQ(settings.bytes[0], '1');
    EXPECT_EQ(settings.bytes[1], 0);
    for (const auto& [name, value] : store.keys[kInstance1]) {
        if (name != L"Settings") {
            EXPECT_EQ(value.type, StoredType::kDword);
        }
    }

    // What was saved loads back as it was.
    s.BackColor = 7;
    s.Unit = 2;
    s.xPosi = -300;
    SaveInstance(s, store);
    const RulerState back = Loaded(store, 1);
    EXPECT_EQ(back.BackColor, 7);
    EXPECT_EQ(back.Unit, 2);
    EXPECT_EQ(back.xPosi, -300);
    EXPECT_EQ(back.Lenght, 640);
}

TEST(Persistence, OnlyInstanceOneWritesTheProductKey) {
    MemoryStore store;
    RulerState s = Loaded(store, 3);
    SaveInstance(s, store);
    EXPECT_FALSE(store.KeyExists(L"Software\\Tamarisk\\Linova"));
    EXPECT_TRUE(store.KeyExists(kInstance3));
    EXPECT_EQ(store.writeOrder.size(), 13u);
}

TEST(Persistence, LoadAndSaveOpenEachKeyOnceAndCloseIt) {
    const std::wstring product = L"Software\\Tamarisk\\Linova";
    MemoryStore store;
    store.PutDword(product, L"Linovamax", 9);
    store.PutDword(kInstance1, L"Lenght", 640);
    RulerState s = Loaded(store, 1);
    EXPECT_EQ(s.Lenght, 640);
    const std::map<std::wstring, int> once = {{product, 1}, {kInstance1, 1}};
    EXPECT_EQ(store.readOpenings, once);
    EXPECT_TRUE(store.writeOpenings.empty());  // loading creates nothing
    EXPECT_EQ(store.openKeys, 0);

    EXPECT_TRUE(SaveInstance(s, store));
    EXPECT_EQ(store.writeOpenings, once);
    EXPECT_EQ(store.readOpenings, once);
    EXPECT_EQ(store.openKeys, 0);
    EXPECT_EQ(store.writeOrder.size(), 18u);

    // A key that is not there is asked for once as well.
    MemoryStore empty;
    Loaded(empty, 3);
    EXPECT_EQ(empty.readOpenings, (std::map<std::wstring, int>{{product, 1}, {kInstance3, 1}}));
}

TEST(Persistence, FailedWritesAreReportedAndTheOtherValuesStillWritten) {
    const std::wstring product = L"Software\\Tamarisk\\Linova";
    MemoryStore store;
    store.failingValues = {L"Lenght", L"ScreenSize02"};
    RulerState s = Loaded(store, 1);
    s.Marker = 77;
    EXPECT_FALSE(SaveInstance(s, store));
    EXPECT_EQ(store.writeOrder.size(), 18u);
    EXPECT_FALSE(store.Dword(kInstance1, L"Lenght").has_value());
    EXPECT_EQ(store.Dword(kInstance1, L"Marker"), 77);
    EXPECT_EQ(store.Dword(kInstance1, L"MagType"), 0);
    EXPECT_EQ(store.keys[kInstance1][L"Settings"].bytes.size(), 48u);
    EXPECT_EQ(store.Dword(product, L"ScreenSize03"), 170);
    EXPECT_FALSE(SaveProductValues(s, store));
    store.failingValues = {L"Settings"};
    EXPECT_FALSE(SaveInstance(s, store));
    store.failingValues.clear();
    EXPECT_TRUE(SaveInstance(s, store));
    EXPECT_TRUE(SaveProductValues(s, store));

    // A product key that does not open fails the save of instance 1 but not its own values;
    // instance 3 never writes it.
    MemoryStore locked;
    locked.lockedKeys = {product};
    s.Marker = 88;
    EXPECT_FALSE(SaveInstance(s, locked));
    EXPECT_FALSE(locked.KeyExists(product));
    EXPECT_EQ(locked.Dword(kInstance1, L"Marker"), 88);
    s.InstanceNumber = 3;
    EXPECT_TRUE(SaveInstance(s, locked));

    // An instance key that does not open: nothing of it is written.
    locked.lockedKeys = {kInstance3};
    locked.writeOrder.clear();
    EXPECT_FALSE(SaveInstance(s, locked));
    EXPECT_TRUE(locked.writeOrder.empty());
    EXPECT_EQ(locked.openKeys, 0);
}

// Whatever the store holds, loading never fails and ends inside the repaired ranges.
TEST(Persistence, RandomStoresAlwaysLoadIntoRange) {
    std::mt19937 random(20261208);
    const std::wstring product = L"Software\\Tamarisk\\Linova";
    std::vector<std::wstring> names = e2e::kInstanceDwordNames;
    names.push_back(L"Settings");
    auto randomBytes = [&](size_t maxSize) {
        std::vector<uint8_t> bytes(random() % (maxSize + 1));
        for (auto& b : bytes)
            b = static_cast<uint8_t>(random() % 4 == 0 ? '0' + random() % 10 : random());
        return bytes;
    };
    for (int round = 0; round < 100000; ++round) {
        MemoryStore store;
        const int16_t instance = static_cast<int16_t>(1 + random() % 9);
        if (random() % 8) {
            store.keys[product];
            if (random() % 2)
                store.keys[product][L"Linovamax"] = {StoredType::kDword, randomBytes(6)};
            for (int k = 1; k <= 4; ++k) {
                if (random() % 2) {
                    store.keys[product][ScreenSizeValueName(k)] = {StoredType::kDword,
                                                                   randomBytes(6)};
                }
            }
        }
        if (random() % 8) {
            auto& key = store.keys[InstanceKeyPath(instance)];
            for (const auto& name : names) {
                if (random() % 4 == 0) continue;
                const StoredType type = random() % 2 ? StoredType::kDword : StoredType::kString;
                key[name] = {type, randomBytes(name == L"Settings" ? 300 : 6)};
            }
        }
        const RulerState s = Loaded(store, instance);
        ASSERT_TRUE(s.InstanceMax == 8 || s.InstanceMax == 9);
        for (int16_t size : s.ScreenSize) ASSERT_TRUE(size >= 30 && size <= 5000);
        ASSERT_TRUE(s.Lenght >= 50 && s.Lenght <= 22000);
        ASSERT_EQ(s.ScaleLength, s.FullScale ? 0 : s.Lenght);
        ASSERT_TRUE(s.Scaling >= 30 && s.Scaling <= 3000);
        ASSERT_GE(s.Marker, 0);
        ASSERT_GE(s.MarkerBlue, 0);
        ASSERT_TRUE(s.BackColor >= 0 && s.BackColor <= 22);
        ASSERT_TRUE(s.LayerWindow >= 35 && s.LayerWindow <= 255);
        ASSERT_TRUE(s.MagnifierWinSizeX >= 150 && s.MagnifierWinSizeX <= 600);
        ASSERT_TRUE(s.MagnifierWinSizeY >= 120 && s.MagnifierWinSizeY <= 500);
        ASSERT_TRUE(s.Magnifier >= 1 && s.Magnifier <= 8);
        ASSERT_TRUE(s.MagType >= 0 && s.MagType <= 2);
        ASSERT_TRUE(s.TopMost == 0 || s.TopMost == 1);
        ASSERT_TRUE(s.Vertical == 0 || s.Vertical == 1);
        ASSERT_TRUE(s.Reverse == 0 || s.Reverse == 1);
        ASSERT_TRUE(s.Unit >= 0 && s.Unit <= 2);
        ASSERT_TRUE(s.FullScale == 0 || s.FullScale == 1);
        ASSERT_TRUE(s.NarrowScale == 0 || s.NarrowScale == 1);
        ASSERT_TRUE(s.FontStyle >= 0 && s.FontStyle <= 7);
        ASSERT_TRUE(s.NoKeyOperation == 0 || s.NoKeyOperation == 1);
        ASSERT_TRUE(s.NoMouseOperation == 0 || s.NoMouseOperation == 1);
        ASSERT_TRUE(s.SpareFlag == 0 || s.SpareFlag == 1);
        ASSERT_TRUE(s.ScalingAuto == 0 || s.ScalingAuto == 1);
        ASSERT_TRUE(s.WheelMode >= 0 && s.WheelMode <= 2);
        // The saved text is always the full 24 characters of digits and commas.
        const std::wstring text = FormatSettings(s);
        ASSERT_EQ(text.size(), 24u);
        for (size_t i = 0; i < text.size(); ++i) {
            ASSERT_TRUE(i % 2 ? text[i] == L',' : (text[i] >= L'0' && text[i] <= L'9'));
        }
    }
}

}  // namespace
