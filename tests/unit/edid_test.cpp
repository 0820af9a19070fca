// A monitor's own size from its EDID: real monitors' blocks, damaged and absurd ones, the
// plausibility rule and the choice between a stored diagonal, the monitor's own and the default.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_store.h"
#include "model/edid.h"
#include "model/persistence.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// Base blocks as the monitors report them (the Dell U2713H with its extension block).
const char kDellP2415Q[] =
    "00ffffffffffff0010acbea0424c4c30231a0104a5351e783ae245a8554da3260b5054a54b00714f8180a9c0"
    "a940d1c0e100d10001014dd000a0f0703e803e3035000f282100001a000000ff00473344374636384f304c4c"
    "420a000000fc0044454c4c205032343135510a20000000fd001d4c1e8c36000a20202020202001e5";
const char kAsusVW246[] =
    "00ffffffffffff000469f224010101010713010380351e78eec4f6a3574a9c23114f54bfef00714f81808140"
    "9500a940b300d1c00101023a801871382d40582c4500132b2100001e000000fd00384c1f5311000a20202020"
    "2020000000fc0056573234360a20202020202020000000ff0039324c4d51533030323330320a01bd";
const char kDellU2713H[] =
    "00ffffffffffff0010ac92a04c57433112170104b53c22783a1df5ae4f35b3250d5054a54b008100b300d100"
    "714fa9408180d1c00101565e00a0a0a029503020350055502100001a000000ff00433646304b333454314357"
    "4c0a000000fc0044454c4c205532373133480a20000000fd0031561d711e000a20202020202001bc02031df1"
    "5090050403020716010611121513141f2023091f0783010000023a801871382d40582c450055502100001e01"
    "1d8018711c1620582c250055502100009e011d007251d01e206e28550055502100001e8c0ad08a20e02d1010"
    "3e9600555021000018000000000000000000000000000000000000000000000000000000009d";
const char kLgL225W[] =
    "00ffffffffffff001e6d63565e8600000c110103ea2f1e78ead425a455499b27135054a76b80950f95008180"
    "8140714f0101010101017c2e90a0601a1e4030203600da281100001a21399030621a274068b03600da281100"
    "001c000000fd00384b1c530f000a202020202020000000fc004c32323557000a2020202020200074";
const char kLenovoT61Panel[] =
    "00ffffffffffff00244d872800000000000f0103802115780acd7591554f8b26215054000000010101010101"
    "01010101010101010101a82f90e0601a1040204013004bcf10000019b72790e0601a1040204013004bcf1000"
    "00190000000f00b30a32b30a281401004ca35833000000fe004c544e31353450322d4c30350a00a7";
// Its timing gives the aspect ratio, 160 x 90 "mm"; the basic block says 89 x 50 cm.
const char kSamsungUE40D8000[] =
    "00ffffffffffff004c2dc507010000002e140103805932780aee91a3544c99260f5054bdef80714f81008140"
    "81809500950fb300a940023a801871382d40582c4500a05a0000001e662150b051001b3040703600a05a0000"
    "001e000000fd00184b1a5117000a202020202020000000fc0053414d53554e470a20202020200158";
// A head-mounted display: 150 x 94 mm, too small for a ruler's monitor.
const char kOculusRiftDk1[] =
    "00ffffffffffff003ed20100000000000817010380000078fe5b0097574d90251e5054210000810081c0d100"
    "d1c00101010101010101c71b00a05020173030203600965e0000001a000000fc005269667420444b0a202020"
    "2020000000ff0053657269616c0a202020202020000000fd00384c1e5317000a20202020202001ce";
// A television's analogue input: no size anywhere.
const char kSharpLc70Vga[] =
    "00ffffffffffff004d10471000000000ff140103280000782a1bbea25534b326144a52afce00a94090408180"
    "01010101010101010101023a801871382d40582c450000000000001e662150b051001b304070360000000000"
    "001e000000fd00374c1f4b11000a202020202020000000fc005348415250204c43440a202020000f";

// A block with the fixed header, the given centimetres, no timing and a correct checksum.
std::vector<uint8_t> Block(uint8_t widthCm, uint8_t heightCm) {
    std::vector<uint8_t> b(kEdidBlockSize, 0);
    for (size_t i = 1; i < 7; ++i) b[i] = 0xFF;
    b[21] = widthCm;
    b[22] = heightCm;
    unsigned sum = 0;
    for (size_t i = 0; i < 127; ++i) sum += b[i];
    b[127] = static_cast<uint8_t>(256 - sum % 256);
    return b;
}

std::string SizeText(const std::optional<ImageSize>& size) {
    if (!size) return "none";
    return std::to_string(size->widthMm) + "x" + std::to_string(size->heightMm) + " mm";
}

TEST(Edid, RealMonitorsGiveTheirImageSizeAndDiagonal) {
    struct Case {
        const char* monitor;
        const char* hex;
        const char* size;
        int diagonal;
    };
    const Case cases[] = {
        {"Dell P2415Q, 23.8 in", kDellP2415Q, "527x296 mm", 238},
        {"ASUS VW246, 24 in", kAsusVW246, "531x299 mm", 240},
        {"Dell U2713H, 27 in, with extension", kDellU2713H, "597x336 mm", 270},
        {"LG L225W, 22 in", kLgL225W, "474x296 mm", 220},
        {"Lenovo T61 panel, 15.4 in", kLenovoT61Panel, "331x207 mm", 154},
        {"Samsung UE40D8000, 40 in", kSamsungUE40D8000, "890x500 mm", 402},
        {"Oculus Rift DK1", kOculusRiftDk1, "none", -1},
        {"Sharp LC-70UQ17U, VGA", kSharpLc70Vga, "none", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.monitor);
        const std::vector<uint8_t> edid = Bytes(c.hex);
        EXPECT_EQ(SizeText(EdidImageSize(edid)), c.size);
        EXPECT_EQ(EdidDiagonal(edid).value_or(-1), c.diagonal);
    }
}

TEST(Edid, DamagedBlocksGiveNoSize) {
    const std::vector<uint8_t> good = Bytes(kDellP2415Q);
    ASSERT_EQ(EdidDiagonal(good).value_or(-1), 238);

    EXPECT_FALSE(EdidDiagonal({}));
    EXPECT_FALSE(EdidDiagonal(std::vector<uint8_t>(good.begin(), good.end() - 1)));

    std::vector<uint8_t> header = good;  // checksum kept right, header wrong
    header[0] = 0x01;
    header[127] = static_cast<uint8_t>(header[127] - 1);
    EXPECT_FALSE(EdidDiagonal(header));

    std::vector<uint8_t> checksum = good;
    checksum[127] = static_cast<uint8_t>(checksum[127] + 1);
    EXPECT_FALSE(EdidDiagonal(checksum));

    std::vector<uint8_t> changed = good;  // a size byte changed in transit
    changed[66] = 0x10;
    EXPECT_FALSE(EdidDiagonal(changed));

    // Only the base block is checked: a damaged extension does not matter.
    std::vector<uint8_t> extension = Bytes(kDellU2713H);
    extension[200] ^= 0xFF;
    EXPECT_EQ(EdidDiagonal(extension).value_or(-1), 270);
}

TEST(Edid, SizesFromTheBasicBlockAndTheirLimits) {
    EXPECT_EQ(EdidDiagonal(Block(53, 30)).value_or(-1), 240);  // 530 x 300 mm
    EXPECT_FALSE(EdidDiagonal(Block(0, 0)));
    EXPECT_FALSE(EdidDiagonal(Block(53, 0)));  // a ratio, not a size
    EXPECT_FALSE(EdidDiagonal(Block(255, 1)));
    EXPECT_FALSE(EdidDiagonal(Block(255, 255)));  // 142 inches

    // 10.0 to 100.0 inches, rounded to tenths; the long side at most four times the short one.
    EXPECT_TRUE(PlausibleImageSize({203, 152}));  // 9.98 in
    EXPECT_FALSE(PlausibleImageSize({202, 151}));
    EXPECT_TRUE(PlausibleImageSize({2214, 1245}));  // 100.0 in
    EXPECT_FALSE(PlausibleImageSize({2215, 1246}));
    EXPECT_TRUE(PlausibleImageSize({400, 100}));
    EXPECT_FALSE(PlausibleImageSize({401, 100}));
    EXPECT_TRUE(PlausibleImageSize({100, 400}));
    EXPECT_FALSE(PlausibleImageSize({100, 401}));
    EXPECT_FALSE(PlausibleImageSize({500, 0}));
    EXPECT_EQ(DiagonalTenths({203, 152}), 100);
    EXPECT_EQ(DiagonalTenths({2215, 1246}), 1001);
}

TEST(Edid, AStoredDiagonalWinsThenTheMonitorsOwnThenTheDefault) {
    const ChosenDiagonal stored = ChooseDiagonal(240, 238);
    EXPECT_EQ(stored.tenthsOfInch, 240);
    EXPECT_EQ(stored.source, DiagonalSource::kStored);
    const ChosenDiagonal own = ChooseDiagonal(std::nullopt, 238);
    EXPECT_EQ(own.tenthsOfInch, 238);
    EXPECT_EQ(own.source, DiagonalSource::kEdid);
    const ChosenDiagonal none = ChooseDiagonal(std::nullopt, std::nullopt);
    EXPECT_EQ(none.tenthsOfInch, 170);
    EXPECT_EQ(none.source, DiagonalSource::kDefault);
}

TEST(Edid, MonitorsTakeTheirOwnDiagonalUnlessOneWasStored) {
    RulerState s;
    s.ScreenSize[0] = 215;
    s.ScreenSizeSource[0] = DiagonalSource::kStored;
    TakeEdidDiagonals(
        s, {Bytes(kDellP2415Q), Bytes(kAsusVW246), {}, Bytes(kOculusRiftDk1), Bytes(kLgL225W)});
    const int16_t sizes[] = {215, 240, 170, 170};
    const DiagonalSource sources[] = {DiagonalSource::kStored, DiagonalSource::kEdid,
                                      DiagonalSource::kDefault, DiagonalSource::kDefault};
    for (size_t i = 0; i < kMaxMonitors; ++i) {
        EXPECT_EQ(s.ScreenSize[i], sizes[i]) << i;
        EXPECT_EQ(s.ScreenSizeSource[i], sources[i]) << i;
    }
    // The second monitor is gone: its diagonal is no longer known.
    TakeEdidDiagonals(s, {Bytes(kDellP2415Q)});
    EXPECT_EQ(s.ScreenSize[0], 215);
    EXPECT_EQ(s.ScreenSize[1], 170);
    EXPECT_EQ(s.ScreenSizeSource[1], DiagonalSource::kDefault);
}

TEST(Edid, AMonitorsInterfacePathNamesItsDeviceInstance) {
    EXPECT_EQ(InstanceIdOfInterface(L"\\\\?\\DISPLAY#DEL4061#5&2a1b&0&UID4353#"
                                    L"{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}"),
              L"DISPLAY\\DEL4061\\5&2a1b&0&UID4353");
    EXPECT_EQ(InstanceIdOfInterface(L"\\\\?\\DISPLAY#Default_Monitor#0000&0000#{e6f07b5f}"),
              L"DISPLAY\\Default_Monitor\\0000&0000");
    // What older systems answer, the driver key, and nothing at all name no instance.
    EXPECT_EQ(InstanceIdOfInterface(L"MONITOR\\DEL4061\\{4d36e96e-e325-11ce-bfc1-08002be10318}"
                                    L"\\0001"),
              L"");
    EXPECT_EQ(InstanceIdOfInterface(L"\\\\?\\#{e6f07b5f}"), L"");
    EXPECT_EQ(InstanceIdOfInterface(L""), L"");
}

TEST(Edid, WhatWasShownIsWrittenAndThenCountsAsStored) {
    MemoryStore store;
    store.PutDword(kProductKey, L"ScreenSize01", 215);
    store.PutDword(kProductKey, L"ScreenSize02", 0);  // no display's diagonal: never stored
    RulerState s;
    LoadProductValues(s, store);
    EXPECT_EQ(s.ScreenSizeSource[0], DiagonalSource::kStored);
    EXPECT_EQ(s.ScreenSizeSource[1], DiagonalSource::kDefault);
    TakeEdidDiagonals(s, {Bytes(kLgL225W), Bytes(kAsusVW246)});
    EXPECT_EQ(s.ScreenSize[0], 215);
    EXPECT_EQ(s.ScreenSize[1], 240);

    ASSERT_TRUE(SaveInstance(s, store));
    EXPECT_EQ(store.Dword(kProductKey, L"ScreenSize01"), 215);
    EXPECT_EQ(store.Dword(kProductKey, L"ScreenSize02"), 240);
    EXPECT_EQ(store.Dword(kProductKey, L"ScreenSize03"), 170);

    RulerState next;
    LoadProductValues(next, store);
    TakeEdidDiagonals(next, {Bytes(kLgL225W), Bytes(kDellP2415Q)});
    EXPECT_EQ(next.ScreenSize[1], 240);
    EXPECT_EQ(next.ScreenSizeSource[1], DiagonalSource::kStored);
}

}  // namespace
