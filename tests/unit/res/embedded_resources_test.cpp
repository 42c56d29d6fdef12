#include "EmbeddedResources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

namespace {

using res::Embedded;
using res::FindEmbedded;
using res::FindIcon;
using res::ResourceType;

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Be32(const unsigned char* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// What the windows load with LoadBitmapW: a 24-bit, uncompressed, bottom-up device-independent
// bitmap behind a file header, read the way a Windows resource compiler and gdk-pixbuf read it.
struct Bmp {
    std::int32_t width = 0;
    std::int32_t height = 0;
    const unsigned char* pixels = nullptr;

    std::size_t Stride() const {
        return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    }
    // Colour at (x, y) counted from the top, as 0xRRGGBB.
    std::uint32_t At(int x, int y) const {
        const unsigned char* p = pixels + Stride() * (height - 1 - y) + 3 * x;
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }
};

::testing::AssertionResult ReadBmp(const Embedded& e, Bmp* out) {
    const unsigned char* d = e.data;
    if (e.size < 54 || d[0] != 'B' || d[1] != 'M') {
        return ::testing::AssertionFailure() << e.name << ": not a BMP file";
    }
    if (Le32(d + 2) != e.size) {
        return ::testing::AssertionFailure() << e.name << ": file header size " << Le32(d + 2)
                                             << " but " << e.size << " bytes embedded";
    }
    const std::uint32_t offset = Le32(d + 10);
    const auto width = static_cast<std::int32_t>(Le32(d + 18));
    const auto height = static_cast<std::int32_t>(Le32(d + 22));
    if (Le32(d + 14) != 40 || Le16(d + 26) != 1 || Le16(d + 28) != 24 || Le32(d + 30) != 0) {
        return ::testing::AssertionFailure()
               << e.name << ": want BITMAPINFOHEADER, 1 plane, 24 bits, BI_RGB; got header "
               << Le32(d + 14) << ", " << Le16(d + 28) << " bits, compression " << Le32(d + 30);
    }
    if (height <= 0 || width <= 0) {
        return ::testing::AssertionFailure()
               << e.name << ": not bottom-up (" << width << " x " << height << ")";
    }
    Bmp bmp{width, height, d + offset};
    if (offset < 54 || offset + bmp.Stride() * height > e.size) {
        return ::testing::AssertionFailure() << e.name << ": pixel data truncated";
    }
    *out = bmp;
    return ::testing::AssertionSuccess();
}

struct PngHeader {
    std::uint32_t width, height;
    int depth, colourType;
};

::testing::AssertionResult ReadPngHeader(const Embedded& e, PngHeader* out) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (e.size < 33 || !std::equal(kSignature, kSignature + 8, e.data) ||
        std::string(reinterpret_cast<const char*>(e.data + 12), 4) != "IHDR") {
        return ::testing::AssertionFailure() << e.name << ": not a PNG file";
    }
    *out = {Be32(e.data + 16), Be32(e.data + 20), e.data[24], e.data[25]};
    return ::testing::AssertionSuccess();
}

constexpr std::uint32_t kKey = 0xFF80FF;

// Every bitmap the windows load, with the size their layouts rely on.
struct BitmapCase {
    int id;
    int width, height;
    const char* what;
};
const BitmapCase kBitmaps[] = {
    {134, 27, 27, "login close"},
    {168, 27, 27, "login close, hover"},
    {135, 26, 26, "login minimise"},
    {169, 26, 26, "login minimise, hover"},
    {136, 29, 30, "login background"},
    {179, 134, 48, "login guides"},
    {180, 134, 48, "login guides, hover"},
    {173, 107, 48, "login payment"},
    {177, 107, 48, "login payment, hover"},
    {172, 106, 48, "login official site"},
    {176, 106, 48, "login official site, hover"},
    {174, 112, 48, "login service"},
    {178, 112, 48, "login service, hover"},
    {171, 123, 48, "login forum"},
    {175, 123, 48, "login forum, hover"},
    {148, 65, 38, "game title strip"},
    {140, 33, 33, "game icon"},
    {138, 31, 28, "game close"},
    {158, 31, 28, "game close, hover"},
    {142, 30, 28, "game minimise"},
    {161, 30, 28, "game minimise, hover"},
    {141, 32, 28, "game restore"},
    {160, 32, 28, "game restore, hover"},
    {143, 32, 28, "game maximise"},
    {162, 32, 28, "game maximise, hover"},
    {137, 32, 28, "game tray"},
    {157, 32, 28, "game tray, hover"},
    {147, 52, 24, "game settings"},
    {165, 52, 24, "game settings, hover"},
    {139, 52, 24, "game forum"},
    {159, 52, 24, "game forum, hover"},
    {144, 52, 24, "game official site"},
    {163, 52, 24, "game official site, hover"},
    {145, 52, 24, "game payment"},
    {167, 52, 24, "game payment, hover"},
    {146, 52, 24, "game service"},
    {164, 52, 24, "game service, hover"},
};

TEST(EmbeddedResources, EveryBitmapIsA24BitBottomUpBmpOfItsLayoutSize) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.what);
        const Embedded* e = FindEmbedded(c.id, ResourceType::Bitmap);
        ASSERT_NE(e, nullptr);
        Bmp bmp;
        ASSERT_TRUE(ReadBmp(*e, &bmp));
        EXPECT_EQ(bmp.width, c.width);
        EXPECT_EQ(bmp.height, c.height);
    }
}

// A soft edge mixed into the key colour leaves pink pixels that the colour key does not remove.
TEST(EmbeddedResources, NoBitmapHasAFringeNearTheKeyColour) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.what);
        Bmp bmp;
        ASSERT_TRUE(ReadBmp(*FindEmbedded(c.id, ResourceType::Bitmap), &bmp));
        for (int y = 0; y < bmp.height; ++y) {
            for (int x = 0; x < bmp.width; ++x) {
                const std::uint32_t px = bmp.At(x, y);
                const int r = px >> 16, g = (px >> 8) & 0xFF, b = px & 0xFF;
                const bool pinkish = r > 150 && b > 150 && g < r - 40 && g < b - 40;
                ASSERT_FALSE(pinkish && px != kKey)
                    << "pixel (" << x << ", " << y << ") is " << std::hex << px;
            }
        }
    }
}

struct KeyCase {
    int id;
    int x, y;
    bool key;
    const char* why;
};
TEST(EmbeddedResources, KeyColourOnlyWhereTransparencyIsMeant) {
    const KeyCase cases[] = {
        {148, 0, 0, false, "the strip is opaque: the game window is not layered"},
        {148, 64, 37, false, "the strip is opaque: the game window is not layered"},
        {134, 0, 0, true, "round login close button: corner lets the artwork through"},
        {171, 0, 47, true, "login link tab: corner lets the artwork through"},
        {138, 0, 0, true, "game window button: the strip shows around the symbol"},
        {147, 0, 0, true, "game tool button: rounded corner"},
        {140, 0, 0, true, "game icon: round medallion"},
        {140, 16, 16, false, "game icon: its middle"},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + ": " + c.why);
        Bmp bmp;
        ASSERT_TRUE(ReadBmp(*FindEmbedded(c.id, ResourceType::Bitmap), &bmp));
        EXPECT_EQ(bmp.At(c.x, c.y) == kKey, c.key);
    }
    Bmp back;
    ASSERT_TRUE(ReadBmp(*FindEmbedded(136, ResourceType::Bitmap), &back));
    for (int y = 0; y < back.height; ++y) {
        for (int x = 0; x < back.width; ++x) {
            ASSERT_EQ(back.At(x, y), kKey)
                << "login background must be all key colour at (" << x << ", " << y << ")";
        }
    }
}

TEST(EmbeddedResources, HoverBitmapsDifferFromNormal) {
    const std::pair<int, int> pairs[] = {
        {134, 168}, {135, 169}, {179, 180}, {173, 177}, {172, 176}, {174, 178},
        {171, 175}, {138, 158}, {142, 161}, {141, 160}, {143, 162}, {137, 157},
        {147, 165}, {139, 159}, {144, 163}, {145, 167}, {146, 164},
    };
    for (const auto& [normal, hover] : pairs) {
        SCOPED_TRACE(std::to_string(normal) + " / " + std::to_string(hover));
        const Embedded* a = FindEmbedded(normal, ResourceType::Bitmap);
        const Embedded* b = FindEmbedded(hover, ResourceType::Bitmap);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        ASSERT_EQ(a->size, b->size);
        EXPECT_FALSE(std::equal(a->data, a->data + a->size, b->data));
    }
}

TEST(EmbeddedResources, LoginArtworkIsA1024By700RgbaPng) {
    const Embedded* e = FindEmbedded(170, ResourceType::Png);
    ASSERT_NE(e, nullptr);
    PngHeader h{};
    ASSERT_TRUE(ReadPngHeader(*e, &h));
    EXPECT_EQ(h.width, 1024u);
    EXPECT_EQ(h.height, 700u);
    EXPECT_EQ(h.depth, 8);
    EXPECT_EQ(h.colourType, 6);
}

TEST(EmbeddedResources, ProgramIconHasEverySize) {
    for (int size : {16, 24, 32, 48}) {
        SCOPED_TRACE(size);
        const Embedded* e = FindIcon(151, size);
        ASSERT_NE(e, nullptr);
        PngHeader h{};
        ASSERT_TRUE(ReadPngHeader(*e, &h));
        EXPECT_EQ(h.width, static_cast<std::uint32_t>(size));
        EXPECT_EQ(h.height, static_cast<std::uint32_t>(size));
        EXPECT_EQ(h.colourType, 6);
    }
    EXPECT_EQ(FindIcon(151, 20), nullptr);
    const Embedded* best = FindEmbedded(151, ResourceType::Icon);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->iconSize, 48);
}

TEST(EmbeddedResources, LookupMatchesIdAndTypeTogether) {
    const std::pair<int, ResourceType> missing[] = {
        {170, ResourceType::Bitmap}, {134, ResourceType::Png},  {151, ResourceType::Bitmap},
        {166, ResourceType::Bitmap}, {0, ResourceType::Bitmap}, {-134, ResourceType::Bitmap},
    };
    for (const auto& [id, type] : missing) {
        EXPECT_EQ(FindEmbedded(id, type), nullptr) << id;
    }
    const Embedded* e = FindEmbedded(148, ResourceType::Bitmap);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->id, 148);
    EXPECT_EQ(e->type, ResourceType::Bitmap);
}

TEST(EmbeddedResources, NoIdAndTypeIsListedTwice) {
    std::set<std::pair<int, int>> seen;
    for (const Embedded* e = res::EmbeddedBegin(); e != res::EmbeddedEnd(); ++e) {
        const int sub = e->type == ResourceType::Icon ? e->iconSize : 0;
        const auto key = std::make_pair(e->id * 4 + static_cast<int>(e->type), sub);
        EXPECT_TRUE(seen.insert(key).second) << e->name << " repeats id " << e->id;
    }
}

// The Windows build compiles res/velkora.rc from the same files; the two lists must not drift.
TEST(EmbeddedResources, WindowsResourceScriptNamesTheSameFiles) {
    std::ifstream in(VELKORA_RES_DIR "/velkora.rc");
    ASSERT_TRUE(in) << VELKORA_RES_DIR "/velkora.rc";
    std::stringstream text;
    text << in.rdbuf();
    const std::string rc = text.str();

    std::map<std::pair<int, ResourceType>, std::string> listed;
    const std::regex line(R"re((?:^|\n)(\d+) (BITMAP|PNG) "([^"]+)")re");
    for (std::sregex_iterator it(rc.begin(), rc.end(), line), end; it != end; ++it) {
        const ResourceType type = (*it)[2] == "PNG" ? ResourceType::Png : ResourceType::Bitmap;
        listed[{std::stoi((*it)[1]), type}] = (*it)[3];
    }
    for (const Embedded* e = res::EmbeddedBegin(); e != res::EmbeddedEnd(); ++e) {
        if (e->type == ResourceType::Icon) {
            continue;
        }
        const auto found = listed.find({e->id, e->type});
        ASSERT_NE(found, listed.end()) << e->id << " " << e->name << " is missing in velkora.rc";
        EXPECT_EQ(found->second, e->name) << e->id;
        listed.erase(found);
    }
    EXPECT_TRUE(listed.empty()) << listed.size()
                                << " entries of velkora.rc are not embedded, first "
                                << listed.begin()->first.first;
    EXPECT_NE(rc.find(R"(IDI_MAIN ICON "art/velkora.ico")"), std::string::npos);
}

}  // namespace
