// Deleting every stored setting: which keys go, in which order, and what keeps the vendor key.
#include <gtest/gtest.h>

#include "memory_store.h"
#include "model/persistence.h"

namespace {

const std::wstring kVendor = L"Software\\Tamarisk";
const std::wstring kProduct = L"Software\\Tamarisk\\Linova";

// Three rulers' keys and the product's, as three rulers leave them; the vendor key exists as
// the registry makes it, above them.
MemoryStore ThreeRulersStored() {
    MemoryStore store;
    store.keys[kVendor];
    store.PutDword(kProduct, L"Linovamax", 8);
    for (int n = 1; n <= 3; ++n) store.PutDword(InstanceKeyPath(n), L"xPosi", 20);
    return store;
}

TEST(SettingsDeletion, TriesEveryInstanceUpToTheLimitThenTheProductAndTheVendor) {
    MemoryStore store = ThreeRulersStored();
    EXPECT_TRUE(SettingsStored(store));
    DeleteSettings(8, store);
    EXPECT_EQ(store.deletions, (std::vector<std::wstring>{
                                   InstanceKeyPath(1), InstanceKeyPath(2), InstanceKeyPath(3),
                                   InstanceKeyPath(4), InstanceKeyPath(5), InstanceKeyPath(6),
                                   InstanceKeyPath(7), InstanceKeyPath(8), kProduct, kVendor}));
    EXPECT_TRUE(store.keys.empty());
    EXPECT_FALSE(SettingsStored(store));
}

TEST(SettingsDeletion, AnotherProductKeepsTheVendorKey) {
    MemoryStore store = ThreeRulersStored();
    store.PutDword(kVendor + L"\\Other", L"Kept", 7);
    DeleteSettings(8, store);
    EXPECT_FALSE(store.KeyExists(kProduct));
    EXPECT_TRUE(store.KeyExists(kVendor));
    EXPECT_EQ(store.Dword(kVendor + L"\\Other", L"Kept"), 7);
    // The vendor key is not even asked to go.
    EXPECT_EQ(store.deletions.back(), kProduct);
}

}  // namespace
