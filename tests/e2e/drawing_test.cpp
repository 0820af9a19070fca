// The drawn ruler as the screen shows it: ticks and numbers in each unit, direction and body
// width, the outline, origin square, icon and unit label, the two markers and the backgrounds.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "dialogs.h"
#include "harness.h"
#include "resources/resource.h"
#include "screen.h"

namespace e2e {
namespace {

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kPaleInk = RGB(223, 223, 223);
constexpr COLORREF kCyan = RGB(0, 255, 255);

// What is stored for one ruler before it starts, and the ink the test expects it in.
struct Look : StoredRuler {
    Look() {
        x = 300;
        y = 200;
        marker = 0;      // 0: three pixels before the far end
        markerBlue = 0;  // 0: one pixel before the far end
    }
    COLORREF ink = kBlack;  // not stored: tells when the painting is on the screen
};

// A started ruler whose painting is on the screen, read along and across its scale: along is
// x for a horizontal ruler and y for a vertical one, counted from the window's left or top.
struct Shown {
    Look look;
    HWND window = nullptr;
    Capture shot;
    bool painted = false;

    int Length() const { return look.length; }
    int Thickness() const { return look.narrow ? 22 : 50; }
    bool Full() const { return !look.narrow; }
    COLORREF At(int along, int across) const {
        return look.vertical ? shot.Pixel(across, along) : shot.Pixel(along, across);
    }
    int Red() const { return look.reverse ? Length() - look.marker : look.marker; }
    int Blue() const { return look.reverse ? Length() - look.markerBlue : look.markerBlue; }
    bool OnMarker(int along) const { return along == Red() || along == Blue(); }
    // The along range of the 6 x 6 origin square and of the 32 x 32 icon (across 9..40).
    int SquareFrom() const { return look.reverse ? Length() - 5 : 0; }
    int IconFrom() const { return look.reverse ? Length() - 40 : 9; }
    int UnitLabelAt() const { return look.reverse ? Length() - 125 : 125; }
    bool InSquare(int along) const { return along >= SquareFrom() && along <= SquareFrom() + 5; }
};

// The outline is in ink once the ruler has painted, and something inside it is not: a window
// that is one colour all over (not yet painted, or erased) does not count.
bool LooksPainted(const Shown& r) {
    const int length = r.Length();
    const int thickness = r.Thickness();
    int middle = length / 2;
    while (r.OnMarker(middle)) ++middle;
    if (r.At(length, thickness / 2) != r.look.ink || r.At(0, thickness / 2) != r.look.ink ||
        r.At(middle, thickness - 1) != r.look.ink) {
        return false;
    }
    for (int a = 1; a < length; ++a) {
        if (r.At(a, thickness / 2) != r.look.ink) return true;
    }
    return false;
}

class Drawing : public RulerTest {
  protected:
    void SetUp() override {
        RulerTest::SetUp();
        // Away from every ruler, so that no tooltip opens over one.
        SetCursorPos(1900, 1060);
    }

    void TearDown() override {
        // LINOVA_SHOTS=Z:\some\dir keeps what a failing test saw.
        const char* dir = std::getenv("LINOVA_SHOTS");
        if (HasFailure() && dir) {
            const auto* test = testing::UnitTest::GetInstance()->current_test_info();
            for (size_t i = 0; i < shown_.size(); ++i) {
                std::string name =
                    std::string(dir) + "\\" + test->name() + "_" + std::to_string(i + 1) + ".bmp";
                shown_[i].SaveBmp(std::wstring(name.begin(), name.end()));
            }
        }
        RulerTest::TearDown();
    }

    // Starts one ruler per look as instances 1, 2, ..., all at once, and waits until each
    // window shows its finished painting.
    std::vector<Shown> Show(std::vector<Look> looks) {
        for (size_t i = 0; i < looks.size(); ++i) {
            Look& look = looks[i];
            if (look.marker == 0) look.marker = look.length - 3;
            if (look.markerBlue == 0) look.markerBlue = look.length - 1;
            StoreRuler(static_cast<int>(i + 1), look);
        }
        for (size_t i = 0; i < looks.size(); ++i) StartLinova(std::to_wstring(i + 1));
        std::vector<Shown> result;
        for (size_t i = 0; i < looks.size(); ++i) {
            Shown r;
            r.look = looks[i];
            r.window = WaitForRuler(static_cast<int>(i + 1), 10000);
            EXPECT_TRUE(r.window) << "ruler " << i + 1 << " did not start";
            if (r.window) Watch(r);
            shown_.push_back(r.shot);
            result.push_back(r);
        }
        return result;
    }

    Shown ShowOne(const Look& look) { return Show({look}).front(); }

  private:
    // Waits for the window's size, then for a painting that is complete and no longer changing.
    static void Watch(Shown& r) {
        const int along = r.Length() + 1;
        const int across = r.Thickness();
        const int width = r.look.vertical ? across : along;
        const int height = r.look.vertical ? along : across;
        RECT rect{};
        const bool sized = WaitUntil([&] {
            GetWindowRect(r.window, &rect);
            return rect.right - rect.left == width && rect.bottom - rect.top == height;
        });
        EXPECT_TRUE(sized) << "window " << rect.right - rect.left << " x " << rect.bottom - rect.top
                           << ", expected " << width << " x " << height;
        if (!sized) return;
        Capture previous;
        r.painted = WaitUntil([&] {
            r.shot = Capture::Screen(rect);
            const bool done = LooksPainted(r) && r.shot == previous;
            previous = r.shot;
            return done;
        });
        EXPECT_TRUE(r.painted) << "no painting in ink " << ColourText(r.look.ink)
                               << "; far outline " << ColourText(r.At(r.Length(), across / 2))
                               << ", near outline " << ColourText(r.At(0, across / 2));
    }

    std::vector<Capture> shown_;
};

// ---- What a scale should show, and the checks that read it back ----

struct Tick {
    int along;
    int length;
};

struct Scale {
    std::vector<Tick> ticks;
    std::vector<int> halfInch;  // ticks that carry the small arrowheads
    std::vector<int> numbers;   // along positions the numbers are centred on
};

// Ticks at the given positions, long at every index divisible by longEvery.
std::vector<Tick> TicksAt(const std::vector<int>& positions, size_t longEvery, int longLength,
                          int shortLength) {
    std::vector<Tick> ticks;
    for (size_t i = 0; i < positions.size(); ++i) {
        ticks.push_back({positions[i], i % longEvery == 0 ? longLength : shortLength});
    }
    return ticks;
}

// Ticks every five pixels from the zero end at 0 up to length, long where along % longAt == 0.
std::vector<Tick> EveryFive(int length, int longAt, int longLength, int shortLength) {
    std::vector<Tick> ticks;
    for (int a = 0; a <= length; a += 5) {
        ticks.push_back({a, a % longAt == 0 ? longLength : shortLength});
    }
    return ticks;
}

// The same scale seen from the other end (reversed ruler of the given length).
Scale Mirrored(Scale s, int length) {
    for (Tick& t : s.ticks) t.along = length - t.along;
    for (int& a : s.halfInch) a = length - a;
    for (int& a : s.numbers) a = length - a;
    return s;
}

// The pixels the ruler draws other than its numbers and unit label: outline, origin square,
// icon, ticks, arrowheads and markers.
class Drawn {
  public:
    Drawn(const Shown& r, const Scale& s)
        : length_(r.Length()),
          thickness_(r.Thickness()),
          mask_(static_cast<size_t>(length_ + 1) * thickness_, false) {
        const int last = thickness_ - 1;
        for (int a = 0; a <= length_; ++a) {
            Mark(a, 0);
            Mark(a, last);
            if (r.OnMarker(a)) {
                for (int c = 0; c <= last; ++c) Mark(a, c);
            }
        }
        for (int c = 0; c <= last; ++c) {
            Mark(0, c);
            Mark(length_, c);
        }
        for (int a = r.SquareFrom(); a <= r.SquareFrom() + 5; ++a) {
            for (int c = 0; c <= 5; ++c) Mark(a, c);
        }
        if (r.Full()) {
            for (int a = r.IconFrom(); a <= r.IconFrom() + 31; ++a) {
                for (int c = 9; c <= 40; ++c) Mark(a, c);
            }
        }
        for (const Tick& t : s.ticks) {
            for (int c = 1; c <= t.length - 1; ++c) {
                Mark(t.along, c);
                Mark(t.along, last - c);
            }
        }
        for (int h : s.halfInch) {
            const int t = LengthOf(s, h);
            for (int k = 0; k <= 3; ++k) {
                for (int side : {-1, 1}) {
                    Mark(h + side * k, t - k);
                    Mark(h + side * k, last - t + k);
                }
            }
        }
    }

    bool operator()(int along, int across) const {
        return along >= 0 && along <= length_ && across >= 0 && across < thickness_ &&
               mask_[static_cast<size_t>(along) * thickness_ + across];
    }

    static int LengthOf(const Scale& s, int along) {
        for (const Tick& t : s.ticks) {
            if (t.along == along) return t.length;
        }
        return 0;
    }

  private:
    void Mark(int along, int across) {
        if (along >= 0 && along <= length_ && across >= 0 && across < thickness_) {
            mask_[static_cast<size_t>(along) * thickness_ + across] = true;
        }
    }

    int length_;
    int thickness_;
    std::vector<bool> mask_;
};

// Pixels in the area (both ends included, clipped to the window) that are neither the white
// body nor drawn scale parts: numbers, labels, or anything that should not be there.
int Stray(const Shown& r, const Drawn& drawn, int along0, int along1, int across0, int across1) {
    int count = 0;
    for (int a = std::max(along0, 0); a <= std::min(along1, r.Length()); ++a) {
        for (int c = std::max(across0, 0); c <= std::min(across1, r.Thickness() - 1); ++c) {
            if (!drawn(a, c) && r.At(a, c) != kWhite) ++count;
        }
    }
    return count;
}

// Along positions between the ends (outside the origin square and the markers) whose pixel at
// the across offset is ink.
std::vector<int> InkAlong(const Shown& r, int across) {
    std::vector<int> found;
    for (int a = 1; a < r.Length(); ++a) {
        if (!r.InSquare(a) && !r.OnMarker(a) && r.At(a, across) == r.look.ink) found.push_back(a);
    }
    return found;
}

std::vector<int> TickPositions(const Shown& r, const Scale& s) {
    std::vector<int> positions;
    for (const Tick& t : s.ticks) {
        if (t.along >= 1 && t.along < r.Length() && !r.InSquare(t.along) && !r.OnMarker(t.along)) {
            positions.push_back(t.along);
        }
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

// Consecutive ink pixels at along a, from across c on in the given direction.
int InkRun(const Shown& r, int along, int across, int step) {
    int run = 0;
    for (int c = across; c >= 0 && c < r.Thickness() && r.At(along, c) == r.look.ink; c += step) {
        ++run;
    }
    return run;
}

// Numbers sit from across 2 down (and, on a full body, up from the far edge); the unit label
// sits between across 15 and 32, so these two bands see numbers only.
constexpr int kTopBandEnd = 14;
constexpr int kBottomBandStart = 33;

void ExpectScale(const Shown& r, const Scale& s) {
    ASSERT_TRUE(r.painted);
    const int last = r.Thickness() - 1;
    const Drawn drawn(r, s);

    // Ticks start at both long edges; nothing else is in the pixel rows next to the outline.
    const std::vector<int> positions = TickPositions(r, s);
    EXPECT_EQ(InkAlong(r, 1), positions) << "first edge";
    EXPECT_EQ(InkAlong(r, last - 1), positions) << "second edge";

    // Tick lengths count the outline pixel they start from: a tick of length t is ink from
    // across 1 to t - 1. Next to a number the text may continue the run.
    for (const Tick& t : s.ticks) {
        if (t.along < 1 || t.along >= r.Length() || r.InSquare(t.along) || r.OnMarker(t.along)) {
            continue;
        }
        const bool half =
            std::find(s.halfInch.begin(), s.halfInch.end(), t.along) != s.halfInch.end();
        const int expected = t.length - 1 + (half ? 1 : 0);  // the arrowhead's tip
        const bool byNumber = std::any_of(s.numbers.begin(), s.numbers.end(),
                                          [&](int n) { return std::abs(n - t.along) <= 12; });
        const int top = InkRun(r, t.along, 1, 1);
        const int bottom = InkRun(r, t.along, last - 1, -1);
        if (byNumber) {
            EXPECT_GE(top, expected) << "tick at " << t.along;
            EXPECT_GE(bottom, expected) << "tick at " << t.along;
        } else {
            EXPECT_EQ(top, expected) << "tick at " << t.along;
            EXPECT_EQ(bottom, expected) << "tick at " << t.along;
        }
    }

    // Arrowheads: two 4-pixel diagonals from each half-inch tick's inner end, pointing inward.
    for (int h : s.halfInch) {
        const int t = Drawn::LengthOf(s, h);
        const int b = last - t;
        for (int side : {-1, 1}) {
            for (int k = 1; k <= 3; ++k) {
                EXPECT_EQ(r.At(h + side * k, t - k), r.look.ink) << "arrowhead at " << h;
                EXPECT_EQ(r.At(h + side * k, b + k), r.look.ink) << "arrowhead at " << h;
            }
            EXPECT_EQ(r.At(h + side * 4, t - 4), kWhite) << "arrowhead end at " << h;
            EXPECT_EQ(r.At(h + side * 4, b + 4), kWhite) << "arrowhead end at " << h;
        }
    }

    // Numbers at their ticks, on both edges of a full body and on the first edge of a narrow
    // one; none at the zero end and none between two numbers.
    const int bottomBandStart = r.Full() ? kBottomBandStart : kTopBandEnd + 1;
    for (int n : s.numbers) {
        EXPECT_GE(Stray(r, drawn, n - 7, n + 8, 1, kTopBandEnd), 10) << "no number at " << n;
        if (r.Full()) {
            EXPECT_GE(Stray(r, drawn, n - 7, n + 8, kBottomBandStart, last - 1), 10)
                << "no number on the second edge at " << n;
        }
    }
    const int zero = r.look.reverse ? r.Length() : 0;
    std::vector<int> gaps;
    int previous = zero;
    for (int n : s.numbers) {
        gaps.push_back((previous + n) / 2);
        previous = n;
    }
    EXPECT_EQ(Stray(r, drawn, zero - 8, zero + 8, 1, kTopBandEnd), 0) << "number at zero";
    EXPECT_EQ(Stray(r, drawn, zero - 8, zero + 8, bottomBandStart, last - 1), 0)
        << "number at zero";
    for (int g : gaps) {
        EXPECT_EQ(Stray(r, drawn, g - 7, g + 7, 1, kTopBandEnd), 0) << "text at " << g;
        EXPECT_EQ(Stray(r, drawn, g - 7, g + 7, bottomBandStart, last - 1), 0) << "text at " << g;
    }
}

const wchar_t* IconName(const Look& look) {
    if (look.vertical) return look.backColor == 0 ? L"LinovaG_Vert" : L"Linova_Vert";
    return look.backColor == 0 ? L"LinovaG" : L"Linova";
}

// Pixels of a full body's icon box (off the markers) that differ from the icon resource drawn
// on the ground colour; -1 when the resource does not load.
int IconMismatches(const Shown& r, COLORREF ground) {
    const Capture icon = Capture::Icon(LinovaPath(), IconName(r.look), ground);
    if (icon.Empty()) return -1;
    int count = 0;
    for (int a = 0; a < 32; ++a) {
        if (r.OnMarker(r.IconFrom() + a)) continue;
        for (int c = 0; c < 32; ++c) {
            const COLORREF expected = r.look.vertical ? icon.Pixel(c, a) : icon.Pixel(a, c);
            count += r.At(r.IconFrom() + a, 9 + c) != expected;
        }
    }
    return count;
}

// Outline in ink, a black 6 x 6 origin square at the zero end, and on a full body the icon and
// the unit label; the markers cross the outline.
void ExpectFrame(const Shown& r) {
    ASSERT_TRUE(r.painted);
    const int length = r.Length();
    const int last = r.Thickness() - 1;
    for (int a = 0; a <= length; ++a) {
        if (r.OnMarker(a)) continue;
        EXPECT_EQ(r.At(a, 0), r.look.ink) << "outline at " << a;
        EXPECT_EQ(r.At(a, last), r.look.ink) << "outline at " << a;
    }
    for (int c = 0; c <= last; ++c) {
        EXPECT_EQ(r.At(0, c), r.look.ink) << "near outline at " << c;
        EXPECT_EQ(r.At(length, c), r.look.ink) << "far outline at " << c;
    }
    for (int a = r.SquareFrom(); a <= r.SquareFrom() + 5; ++a) {
        for (int c = 0; c <= 5; ++c) EXPECT_EQ(r.At(a, c), kBlack) << "origin square " << a;
    }
    if (r.Full()) {
        EXPECT_EQ(IconMismatches(r, kWhite), 0)
            << "icon " << testing::PrintToString(IconName(r.look));
        const Drawn nothing(r, Scale{});
        EXPECT_GE(Stray(r, nothing, r.UnitLabelAt() - 15, r.UnitLabelAt() + 15, 18, 30), 10)
            << "no unit label";
    }
}

// ---- The scales ----

TEST_F(Drawing, PixelScaleTicksEveryFivePixelsNumbersEveryFifty) {
    Look look;
    look.unit = 0;
    look.marker = 212;
    look.markerBlue = 237;
    const Shown r = ShowOne(look);
    ExpectFrame(r);
    // Long ticks (6, counting the outline) every ten pixels, short (3) between.
    ExpectScale(r, {EveryFive(300, 10, 6, 3), {}, {50, 100, 150, 200, 250}});
    // The body between two numbers is plain white from edge tick to edge tick.
    const Drawn drawn(r, {EveryFive(300, 10, 6, 3), {}, {}});
    EXPECT_EQ(Stray(r, drawn, 60, 85, 1, 48), 0);
}

// A ruler of pixels measures screen pixels at any density: as thick, as long and with the ticks
// where they are at 96 dots per inch.
TEST_F(Drawing, At144DotsPerInchThePixelScaleIsStillOnePixelPerPixel) {
    ScopedDpi dpi(144);
    Look look;
    look.unit = 0;
    look.marker = 212;
    look.markerBlue = 237;
    const Shown r = ShowOne(look);
    EXPECT_TRUE(ShowsAt(r.window, 300, 200, 301, 50));
    ExpectFrame(r);
    ExpectScale(r, {EveryFive(300, 10, 6, 3), {}, {50, 100, 150, 200, 250}});
}

TEST_F(Drawing, CentimetreScalesTickEveryFiveMillimetresOrEveryMillimetre) {
    Look coarse;  // 37.8 pixels per centimetre: a tick every 5 mm
    coarse.unit = 1;
    coarse.length = 200;
    Look fine = coarse;  // 50.0 pixels per centimetre: a tick every millimetre
    fine.scaling = 500;
    fine.y = 300;
    const std::vector<Shown> shown = Show({coarse, fine});
    // The loop steps 18.90 pixels from half a pixel: whole centimetres 8 long, halves 5.
    ExpectScale(shown[0], {TicksAt({0, 19, 38, 57, 76, 95, 113, 132, 151, 170, 189}, 2, 8, 5),
                           {},
                           {38, 76, 113, 151, 189}});
    // Every 5 pixels; 8 long at every half and whole centimetre (25 pixels), 5 otherwise.
    ExpectScale(shown[1], {EveryFive(200, 25, 8, 5), {}, {50, 100, 150}});
}

TEST_F(Drawing, InchScaleTicksEveryTenthWithArrowheadsAtHalfInches) {
    Look look;
    look.unit = 2;
    look.length = 200;
    const Shown r = ShowOne(look);
    // A tenth of an inch is 9.60 pixels at 96 pixels per inch, stepped from half a pixel.
    ExpectScale(r, {TicksAt({0,   10,  19,  29,  38,  48,  58,  67,  77,  86, 96,
                             106, 115, 125, 134, 144, 154, 163, 173, 182, 192},
                            5, 8, 5),
                    {48, 144},
                    {96, 192}});
    // Whole inches carry no arrowhead.
    EXPECT_EQ(r.At(1, 7), kWhite);
    EXPECT_EQ(r.At(2, 6), kWhite);
    EXPECT_EQ(r.At(1, 42), kWhite);
    EXPECT_EQ(r.At(2, 43), kWhite);
}

TEST_F(Drawing, VerticalRulerTurnsTheScaleAndLeavesOutNumbersBesideTheIcon) {
    Look look;
    look.vertical = true;
    look.unit = 1;
    look.length = 200;
    look.marker = 100;
    look.markerBlue = 160;
    const Shown r = ShowOne(look);
    ExpectFrame(r);
    // As the horizontal centimetre scale, but the first number (38, beside the icon) is left out.
    ExpectScale(r, {TicksAt({0, 19, 38, 57, 76, 95, 113, 132, 151, 170, 189}, 2, 8, 5),
                    {},
                    {76, 113, 151, 189}});
    // Markers run across the body as rows.
    EXPECT_TRUE(r.shot.RowIs(100, 0, 49, kRed));
    EXPECT_TRUE(r.shot.RowIs(160, 0, 49, kBlue));
}

TEST_F(Drawing, ReversedRulerCountsFromTheFarEnd) {
    Look look;
    look.reverse = true;
    look.length = 303;  // not a multiple of five, so the reversed ticks stand apart
    look.marker = 10;
    look.markerBlue = 60;
    const Shown r = ShowOne(look);
    // Origin square, icon and unit label at the far end; the near end is plain.
    ExpectFrame(r);
    const Scale scale = Mirrored({EveryFive(300, 10, 6, 3), {}, {50, 100, 150, 200, 250}}, 303);
    EXPECT_EQ(Stray(r, Drawn(r, scale), 1, 4, 1, 4), 0) << "origin square at the near end";
    ExpectScale(r, scale);
    // The markers count from the zero end too.
    EXPECT_TRUE(r.shot.ColumnIs(293, 0, 49, kRed));
    EXPECT_TRUE(r.shot.ColumnIs(243, 0, 49, kBlue));
}

TEST_F(Drawing, NarrowRulerHasNumbersOnOneEdgeAndNoIconOrUnitLabel) {
    Look look;
    look.narrow = true;
    const Shown r = ShowOne(look);
    ExpectFrame(r);
    const Scale scale{EveryFive(300, 10, 6, 3), {}, {50, 100, 150, 200, 250}};
    ExpectScale(r, scale);
    const Drawn drawn(r, scale);
    // Below the numbers' line there is nothing but the second edge's ticks ...
    EXPECT_EQ(Stray(r, drawn, 1, 299, 17, 20), 0);
    // ... and where the icon and the unit label would be, nothing at all.
    EXPECT_EQ(Stray(r, drawn, 9, 40, 1, 20), 0);
    EXPECT_EQ(Stray(r, drawn, 112, 138, 1, 20), 0);
}

// ---- Turning ----

TEST_F(Drawing, ALongRulerTurnedAndTurnedBackShowsTheSamePixels) {
    // Longer than the monitor is high, so the upright ruler needs a longer buffer than the
    // monitor alone asks for; one numbered from the far end as well. Upright, both stand with
    // their far ends on the screen.
    Look plain;
    plain.x = 10;
    plain.y = 40;
    plain.length = 1900;
    plain.unit = 2;
    Look reversed = plain;
    reversed.y = 100;
    reversed.unit = 1;
    reversed.reverse = true;
    const std::vector<Shown> shown = Show({plain, reversed});
    for (const Shown& r : shown) {
        SCOPED_TRACE(r.look.reverse ? "reversed" : "plain");
        ASSERT_TRUE(r.painted);
        RECT rect{};
        auto turn = [&](SIZE size) {
            SendWaiting(r.window, WM_KEYDOWN, VK_HOME);
            return WaitUntil([&] {
                GetWindowRect(r.window, &rect);
                return rect.right - rect.left == size.cx && rect.bottom - rect.top == size.cy;
            });
        };
        // Home turns the ruler upright about its centre; what the screen shows of it has the
        // same ticks along its first edge, where the other ruler, lying across it, does not
        // cover it (which of the two is on top there is not what this test is about).
        ASSERT_TRUE(turn({50, 1901}));
        const RECT visible{rect.left, std::max(rect.top, 0L), rect.right,
                           std::min(rect.bottom, static_cast<LONG>(GetSystemMetrics(SM_CYSCREEN)))};
        auto covered = [&](LONG y) {
            for (const Shown& other : shown) {
                const RECT o = RectOf(other.window);
                if (other.window != r.window && y >= o.top && y < o.bottom &&
                    rect.left + 1 >= o.left && rect.left + 1 < o.right) {
                    return true;
                }
            }
            return false;
        };
        int upright = 0;
        EXPECT_TRUE(WaitUntil([&] {
            const Capture shot = Capture::Screen(visible);
            upright = 0;
            for (LONG y = visible.top; y < visible.bottom; ++y) {
                const int along = y - rect.top;
                if (!covered(y)) upright += shot.Pixel(1, y - visible.top) != r.At(along, 1);
            }
            return upright == 0;
        })) << upright
            << " pixels upright differ along the first edge";
        // And back.
        ASSERT_TRUE(turn({1901, 50}));
        EXPECT_EQ(rect.left, r.look.x);
        EXPECT_EQ(rect.top, r.look.y);
        Shown back = r;
        Capture previous;
        EXPECT_TRUE(WaitUntil([&] {
            back.shot = Capture::Screen(rect);
            const bool done = LooksPainted(back) && back.shot == previous;
            previous = back.shot;
            return done;
        }));
        int differ = 0;
        for (int a = 0; a <= r.Length(); ++a) {
            for (int c = 0; c < r.Thickness(); ++c) differ += back.At(a, c) != r.At(a, c);
        }
        EXPECT_EQ(differ, 0) << "pixels that changed with the turns";
    }
}

// Narrow and wide again while it runs: each time the whole window takes its new picture.
TEST_F(Drawing, ARulerMadeNarrowAndWideAgainShowsWhatOneStartedSoShows) {
    Look wide;
    Look narrow = wide;
    narrow.y = 400;
    narrow.narrow = true;
    const std::vector<Shown> shown = Show({wide, narrow});
    ASSERT_TRUE(shown[0].painted && shown[1].painted);
    Shown r = shown[0];
    // The window at its new height, then its painting complete and no longer changing.
    auto toggle = [&](bool toNarrow) {
        SendWaiting(r.window, WM_COMMAND, IDM_NARROW);
        r.look.narrow = toNarrow;
        const LONG height = r.Thickness();
        if (!WaitUntil([&] {
                const RECT rect = RectOf(r.window);
                return rect.bottom - rect.top == height;
            })) {
            return false;
        }
        Capture previous;
        return WaitUntil([&] {
            r.shot = Capture::Screen(RectOf(r.window));
            const bool done = LooksPainted(r) && r.shot == previous;
            previous = r.shot;
            return done;
        });
    };
    ASSERT_TRUE(toggle(true));
    EXPECT_TRUE(r.shot == shown[1].shot) << "narrowed unlike a ruler started narrow";
    ASSERT_TRUE(toggle(false));
    EXPECT_TRUE(r.shot == shown[0].shot) << "wide again unlike at its start";
}

// ---- Markers ----

TEST_F(Drawing, MarkersCrossTheWholeBodyAndTheBlueIsDottedOverTheRed) {
    Look apart;
    apart.marker = 120;
    apart.markerBlue = 161;
    Look same = apart;
    same.y = 300;
    same.markerBlue = 120;
    const std::vector<Shown> shown = Show({apart, same});
    ASSERT_TRUE(shown[0].painted && shown[1].painted);
    EXPECT_TRUE(shown[0].shot.ColumnIs(120, 0, 49, kRed));
    EXPECT_TRUE(shown[0].shot.ColumnIs(161, 0, 49, kBlue));
    // Equal positions: blue dots with the red line showing through the gaps.
    int red = 0;
    int blue = 0;
    int changes = 0;
    for (int y = 0; y <= 49; ++y) {
        const COLORREF c = shown[1].shot.Pixel(120, y);
        red += c == kRed;
        blue += c == kBlue;
        if (y > 0 && c != shown[1].shot.Pixel(120, y - 1)) ++changes;
        EXPECT_TRUE(c == kRed || c == kBlue) << "row " << y << ": " << ColourText(c);
    }
    EXPECT_GE(red, 10);
    EXPECT_GE(blue, 10);
    EXPECT_GE(changes, 6);
}

// ---- Backgrounds ----

// System colours changed for as long as the object lives.
class SystemColours {
  public:
    explicit SystemColours(const std::vector<std::pair<int, COLORREF>>& colours) {
        for (const auto& [index, colour] : colours) {
            indices_.push_back(index);
            saved_.push_back(GetSysColor(index));
            wanted_.push_back(colour);
        }
        SetSysColors(static_cast<int>(indices_.size()), indices_.data(), wanted_.data());
    }
    ~SystemColours() {
        SetSysColors(static_cast<int>(indices_.size()), indices_.data(), saved_.data());
    }
    SystemColours(const SystemColours&) = delete;
    SystemColours& operator=(const SystemColours&) = delete;

  private:
    std::vector<int> indices_;
    std::vector<COLORREF> saved_;
    std::vector<COLORREF> wanted_;
};

// Rulers 200 long, one above the other, markers at 150 (red) and 170 (blue).
std::vector<Look> Stack(const std::vector<int>& backColors) {
    std::vector<Look> looks;
    int y = 150;
    for (int backColor : backColors) {
        Look look;
        look.length = 200;
        look.y = y;
        look.backColor = backColor;
        look.marker = 150;
        look.markerBlue = 170;
        looks.push_back(look);
        y += 70;
    }
    return looks;
}

// Ink on the outline and a tick, the origin square's fill, both markers.
void ExpectInkSquareAndMarkers(const Shown& r, COLORREF squareFill, COLORREF blue) {
    const COLORREF ink = r.look.ink;
    EXPECT_TRUE(r.shot.ColumnIs(200, 0, 49, ink)) << "far outline";
    EXPECT_TRUE(r.shot.ColumnIs(10, 1, 5, ink)) << "tick at 10";
    EXPECT_TRUE(r.shot.ColumnIs(1, 1, 4, squareFill) && r.shot.ColumnIs(2, 1, 4, squareFill) &&
                r.shot.ColumnIs(3, 1, 4, squareFill) && r.shot.ColumnIs(4, 1, 4, squareFill))
        << "origin square filled with " << ColourText(r.shot.Pixel(2, 2));
    EXPECT_TRUE(r.shot.ColumnIs(5, 0, 5, ink) && r.shot.RowIs(5, 0, 5, ink))
        << "origin square outlined with " << ColourText(r.shot.Pixel(5, 3));
    EXPECT_TRUE(r.shot.ColumnIs(150, 0, 49, kRed)) << "red marker";
    EXPECT_TRUE(r.shot.ColumnIs(170, 0, 49, blue))
        << "blue marker " << ColourText(r.shot.Pixel(170, 25));
}

TEST_F(Drawing, SolidBackgroundsPaintTheirColourWithTheirInk) {
    // The last five follow the desktop's colours; the ink is light grey on those whose strongest
    // channel is 141 or less (55 % brightness, rounded), black otherwise.
    const SystemColours desktop({{COLOR_MENU, RGB(240, 240, 240)},
                                 {COLOR_HIGHLIGHT, RGB(0, 0, 128)},
                                 {COLOR_BACKGROUND, RGB(20, 141, 60)},
                                 {COLOR_ACTIVECAPTION, RGB(142, 30, 30)},
                                 {COLOR_INACTIVECAPTION, RGB(0, 120, 215)}});
    ASSERT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(20, 141, 60)) << "system colours unchanged";
    const COLORREF body[13] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 255, 192),
                               RGB(192, 255, 255), RGB(255, 192, 255), RGB(255, 255, 128),
                               RGB(192, 192, 255), RGB(192, 255, 192), RGB(240, 240, 240),
                               RGB(0, 0, 128),     RGB(20, 141, 60),   RGB(142, 30, 30),
                               RGB(0, 120, 215)};
    const COLORREF ink[13] = {kBlack, kBlack, kBlack,     kBlack,     kBlack, kBlack, kBlack,
                              kBlack, kBlack, kLightGrey, kLightGrey, kBlack, kBlack};

    for (int first : {0, 8}) {
        std::vector<int> indices;
        for (int i = first; i < std::min(first + 8, 13); ++i) indices.push_back(i);
        std::vector<Look> looks = Stack(indices);
        for (Look& look : looks) look.ink = ink[look.backColor];
        const std::vector<Shown> shown = Show(looks);
        for (const Shown& r : shown) {
            const int i = r.look.backColor;
            SCOPED_TRACE("BackColor " + std::to_string(i) + ", body " + ColourText(body[i]));
            if (!r.painted) continue;
            // Between the icon and the numbers the body is the plain colour.
            for (int x = 60; x <= 85; ++x) {
                EXPECT_TRUE(r.shot.ColumnIs(x, 6, 43, body[i]))
                    << "x " << x << ": " << ColourText(r.shot.Pixel(x, 25));
            }
            ExpectInkSquareAndMarkers(r, i == 10 ? kLightGrey : kBlack,
                                      i == 9 || i == 10 ? kCyan : kBlue);
            // The numbers are written in the ink.
            bool inkText = false;
            for (int x = 43; x <= 57; ++x) {
                for (int y = 6; y <= 16; ++y) inkText |= r.shot.Pixel(x, y) == r.look.ink;
            }
            EXPECT_TRUE(inkText) << "no ink in the number 50";
            EXPECT_EQ(IconMismatches(r, body[i]), 0) << "icon";
        }
        EndAllRulers();
    }
}

// The colour a pattern pixel of the stored colour shows: the loader maps the three greys of
// a bitmap's colour table to the 3-D colours; the recoloured patterns then replace white and
// light grey with the highlight colour, silver with the menu colour and grey with the shadow.
COLORREF PatternColour(COLORREF stored, bool recoloured) {
    COLORREF c = stored;
    if (c == RGB(128, 128, 128)) c = GetSysColor(COLOR_3DSHADOW);
    if (c == RGB(192, 192, 192)) c = GetSysColor(COLOR_3DFACE);
    if (c == RGB(223, 223, 223)) c = GetSysColor(COLOR_3DLIGHT);
    if (!recoloured) return c;
    if (c == RGB(223, 223, 223) || c == RGB(255, 255, 255)) c = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (c == RGB(192, 192, 192)) c = GetSysColor(COLOR_MENU);
    if (c == RGB(128, 128, 128)) c = GetSysColor(COLOR_BTNSHADOW);
    return c;
}

// Each pattern's colours as stored in its bitmap, the ground first.
const std::vector<COLORREF>& StoredPatternColours(int backColor) {
    static const std::vector<std::vector<COLORREF>> stored = {
        {RGB(255, 255, 204), RGB(250, 235, 215), RGB(248, 248, 248)},
        {RGB(250, 235, 215), RGB(255, 204, 102)},
        {RGB(204, 255, 255), RGB(102, 255, 255)},
        {RGB(204, 255, 204), RGB(248, 248, 248)},
        {RGB(224, 224, 224), RGB(236, 236, 236)},
        {RGB(148, 148, 148), RGB(182, 182, 182)},
        {RGB(77, 77, 77), RGB(102, 102, 102)},
        {RGB(0, 0, 204), RGB(51, 51, 255), RGB(0, 102, 255)},
        {RGB(192, 192, 192), RGB(218, 218, 218), RGB(128, 128, 128), RGB(255, 255, 255)},
        {RGB(192, 192, 192), RGB(255, 255, 255), RGB(236, 236, 236), RGB(140, 140, 140),
         RGB(128, 128, 128)}};
    return stored[backColor - 13];
}

// Between the icon and the numbers the body shows only the pattern's colours, mostly its ground.
void ExpectPatternBody(const Shown& r) {
    const int i = r.look.backColor;
    std::vector<COLORREF> palette;
    for (COLORREF c : StoredPatternColours(i)) palette.push_back(PatternColour(c, i >= 18));
    SCOPED_TRACE("BackColor " + std::to_string(i) + ", ground " + ColourText(palette.front()));
    ASSERT_TRUE(r.painted);
    int ground = 0;
    int foreign = 0;
    COLORREF firstForeign = CLR_INVALID;
    for (int x = 60; x <= 85; ++x) {
        for (int y = 6; y <= 43; ++y) {
            const COLORREF c = r.shot.Pixel(x, y);
            ground += c == palette.front();
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) {
                if (foreign++ == 0) firstForeign = c;
            }
        }
    }
    EXPECT_EQ(foreign, 0) << "colour not in the pattern: " << ColourText(firstForeign);
    EXPECT_GE(ground, 26 * 38 / 4) << "too little ground";
}

TEST_F(Drawing, PatternBackgroundsTileTheirBitmaps) {
    for (int first : {13, 21}) {
        std::vector<int> indices;
        for (int i = first; i < std::min(first + 8, 23); ++i) indices.push_back(i);
        std::vector<Look> looks = Stack(indices);
        for (Look& look : looks) {
            look.ink = look.backColor == 19 || look.backColor == 20 ? kPaleInk : kBlack;
        }
        for (const Shown& r : Show(looks)) {
            ExpectPatternBody(r);
            const bool pale = r.look.backColor == 19 || r.look.backColor == 20;
            SCOPED_TRACE("BackColor " + std::to_string(r.look.backColor));
            if (r.painted) {
                ExpectInkSquareAndMarkers(r, pale ? kLightGrey : kBlack, pale ? kCyan : kBlue);
            }
        }
        EndAllRulers();
    }
}

TEST_F(Drawing, RecolouredPatternsTakeTheDesktopColours) {
    // With a silver button face the silver ground survives loading; the recolouring then makes
    // it the menu colour, and white becomes the highlight colour.
    const SystemColours colours({{COLOR_3DFACE, RGB(192, 192, 192)},
                                 {COLOR_MENU, RGB(10, 200, 30)},
                                 {COLOR_BTNHIGHLIGHT, RGB(250, 20, 120)}});
    ASSERT_EQ(GetSysColor(COLOR_MENU), RGB(10, 200, 30)) << "system colours unchanged";
    for (const Shown& r : Show(Stack({21, 22}))) ExpectPatternBody(r);
}

}  // namespace
}  // namespace e2e
