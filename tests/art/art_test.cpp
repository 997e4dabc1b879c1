// Checks of the generated bitmaps and icon, read byte by byte the way the
// program's resources will hold them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct TRgb {
    int R, G, B;
    bool operator==(const TRgb &o) const { return R == o.R && G == o.G && B == o.B; }
    bool operator<(const TRgb &o) const {
        return R != o.R ? R < o.R : G != o.G ? G < o.G : B < o.B;
    }
};

const TRgb KeyYellow = {255, 255, 0};

struct TPicture {
    int Width = 0, Height = 0;
    std::vector<TRgb> Pixels; // top row first
    TRgb At(int x, int y) const { return Pixels[y * Width + x]; }
};

std::vector<uint8_t> ReadFile(const std::string &name) {
    std::ifstream in(std::string(RNRR_ART_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le(const std::vector<uint8_t> &b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b.at(at + i);
    return v;
}

// Reads a 24-bit uncompressed bitmap file, failing the test on any header
// that LoadBitmap would not take as such.
TPicture LoadBitmapFile(const std::string &name, int width, int height) {
    TPicture p;
    std::vector<uint8_t> f = ReadFile(name);
    SCOPED_TRACE(name);
    EXPECT_GE(f.size(), 54u);
    if (f.size() < 54)
        return p;
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le(f, 2, 4), f.size());
    EXPECT_EQ(Le(f, 10, 4), 54u); // no colour table at 24 bits
    EXPECT_EQ(Le(f, 14, 4), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(int32_t(Le(f, 18, 4)), width);
    EXPECT_EQ(int32_t(Le(f, 22, 4)), height); // positive: bottom-up rows
    EXPECT_EQ(Le(f, 26, 2), 1u);
    EXPECT_EQ(Le(f, 28, 2), 24u);
    EXPECT_EQ(Le(f, 30, 4), 0u); // BI_RGB
    size_t row = (width * 3 + 3) / 4 * 4;
    EXPECT_EQ(f.size(), 54 + row * height);
    if (f.size() != 54 + row * height)
        return p;
    p.Width = width;
    p.Height = height;
    for (int y = 0; y < height; ++y) {
        size_t at = 54 + row * (height - 1 - y);
        for (int x = 0; x < width; ++x)
            p.Pixels.push_back({f[at + 3 * x + 2], f[at + 3 * x + 1], f[at + 3 * x]});
        for (size_t pad = width * 3; pad < row; ++pad)
            EXPECT_EQ(f[at + pad], 0) << "row padding of row " << y;
    }
    return p;
}

TPicture Crop(const TPicture &p, int x0, int y0, int w, int h) {
    TPicture c;
    c.Width = w;
    c.Height = h;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            c.Pixels.push_back(p.At(x, y));
    return c;
}

int Count(const TPicture &p, const std::function<bool(TRgb)> &is) {
    return int(std::count_if(p.Pixels.begin(), p.Pixels.end(), is));
}

// 4-connected regions of the pixels that pass `is`, as lists of indices.
std::vector<std::vector<int>> Regions(const TPicture &p, const std::function<bool(TRgb)> &is) {
    std::vector<std::vector<int>> regions;
    std::vector<bool> seen(p.Pixels.size());
    for (size_t start = 0; start < p.Pixels.size(); ++start) {
        if (seen[start] || !is(p.Pixels[start]))
            continue;
        std::vector<int> region, stack = {int(start)};
        seen[start] = true;
        while (!stack.empty()) {
            int i = stack.back();
            stack.pop_back();
            region.push_back(i);
            int x = i % p.Width, y = i / p.Width;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (auto &n : next) {
                int j = n[1] * p.Width + n[0];
                if (n[0] >= 0 && n[0] < p.Width && n[1] >= 0 && n[1] < p.Height && !seen[j] &&
                    is(p.Pixels[j])) {
                    seen[j] = true;
                    stack.push_back(j);
                }
            }
        }
        regions.push_back(region);
    }
    return regions;
}

bool IsKey(TRgb c) {
    return c == KeyYellow;
}
bool IsGrey(TRgb c) {
    return std::max({c.R, c.G, c.B}) - std::min({c.R, c.G, c.B}) < 24 && c.R > 40;
}
bool IsBlue(TRgb c) {
    return c.B > c.R + 40 && c.B > c.G + 30;
}
bool IsRed(TRgb c) {
    return c.R > 120 && c.G < 90 && c.B < 90 && c.R > 2 * c.G;
}
bool IsPurple(TRgb c) {
    return c.B > c.G + 60 && c.R > c.G + 30;
}
bool IsLitSquare(TRgb c) {
    return c.R >= 200 && c.G >= 160 && c.B <= 100 && !IsKey(c);
}
int Luma(TRgb c) {
    return (c.R * 3 + c.G * 6 + c.B) / 10;
}

struct TBitmapRow {
    const char *Name;
    int Width, Height;
};
const TBitmapRow Bitmaps[] = {
    {"sheet.bmp", 160, 147}, // 4 x 4 cells of 40 x 32, then a row of 19-pixel icons
    {"emblem.bmp", 50, 32},  //
    {"car1.bmp", 72, 60},    //
    {"car2.bmp", 72, 60},    //
    {"extra.bmp", 23, 19},   // one icon cell
};

TPicture Sheet() {
    return LoadBitmapFile("sheet.bmp", 160, 147);
}

// Icon cell i of the sheet: 23 columns, the seventh only the 22 left.
TPicture SheetIcon(const TPicture &sheet, int i) {
    return Crop(sheet, 23 * i, 128, std::min(23, 160 - 23 * i), 19);
}

TEST(ArtBitmaps, HeadersSizesAndKeyColourOutsideTheCars) {
    for (const TBitmapRow &row : Bitmaps) {
        SCOPED_TRACE(row.Name);
        TPicture p = LoadBitmapFile(row.Name, row.Width, row.Height);
        ASSERT_EQ(p.Pixels.size(), size_t(row.Width * row.Height));
        bool car = std::string(row.Name).rfind("car", 0) == 0;
        if (!car) {
            EXPECT_EQ(Count(p, IsKey), 0);
        }
    }
}

TEST(ArtBitmaps, CarKeyColourIsOnlyTheOutsideOfTheDome) {
    for (const char *name : {"car1.bmp", "car2.bmp"}) {
        SCOPED_TRACE(name);
        TPicture p = LoadBitmapFile(name, 72, 60);
        ASSERT_FALSE(p.Pixels.empty());
        // Every yellow region must touch the border: none is enclosed.
        for (const auto &region : Regions(p, IsKey)) {
            bool border = std::any_of(region.begin(), region.end(), [&](int i) {
                return i % 72 == 0 || i % 72 == 71 || i / 72 == 0 || i / 72 == 59;
            });
            EXPECT_TRUE(border) << "yellow enclosed at pixel " << region[0];
        }
        // The dome with its base is one piece holding the middle of the picture.
        auto solid = Regions(p, [](TRgb c) { return !IsKey(c); });
        ASSERT_EQ(solid.size(), 1u);
        EXPECT_FALSE(IsKey(p.At(36, 35)));
        // The car is purple and sits wholly under the glass: no purple pixel
        // meets the yellow surround.
        EXPECT_GT(Count(p, IsPurple), 200);
        EXPECT_GT(Count(p, IsGrey), 600); // the glass
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 72; ++x)
                if (IsPurple(p.At(x, y))) {
                    for (auto [nx, ny] :
                         {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                        if (nx >= 0 && nx < 72 && ny >= 0 && ny < 60) {
                            EXPECT_FALSE(IsKey(p.At(nx, ny))) << x << "," << y;
                        }
                    }
                }
    }
}

TEST(ArtSheet, CellsDifferFromOneAnother) {
    TPicture sheet = Sheet();
    ASSERT_FALSE(sheet.Pixels.empty());
    std::vector<std::pair<std::string, TPicture>> cells;
    for (int row = 0; row < 4; ++row)
        for (int level = 0; level < 4; ++level)
            cells.push_back({"upgrade " + std::to_string(row) + "/" + std::to_string(level),
                             Crop(sheet, 40 * level, 32 * row, 40, 32)});
    for (int i = 0; i < 7; ++i)
        cells.push_back({"icon " + std::to_string(i), SheetIcon(sheet, i)});
    cells.push_back({"extra", LoadBitmapFile("extra.bmp", 23, 19)});
    for (size_t a = 0; a < cells.size(); ++a)
        for (size_t b = a + 1; b < cells.size(); ++b)
            if (cells[a].second.Width == cells[b].second.Width) {
                EXPECT_FALSE(cells[a].second.Pixels == cells[b].second.Pixels)
                    << cells[a].first << " equals " << cells[b].first;
            }
    // The seventh icon against the first 22 columns of every other.
    for (size_t a = 16; a < 16 + 6; ++a)
        EXPECT_FALSE(Crop(cells[a].second, 0, 0, 22, 19).Pixels == cells[22].second.Pixels);
}

TEST(ArtSheet, UpgradeLevelsShowInSquaresWeightAndColour) {
    TPicture sheet = Sheet();
    ASSERT_FALSE(sheet.Pixels.empty());
    const char *rows[] = {"engine", "armor", "shocks", "tires"};
    for (int row = 0; row < 4; ++row) {
        int previousWeight = 0;
        for (int level = 0; level < 4; ++level) {
            SCOPED_TRACE(std::string(rows[row]) + " level " + std::to_string(level));
            TPicture cell = Crop(sheet, 40 * level, 32 * row, 40, 32);
            // As many lit squares as the level, all of one size, at the lower left.
            auto lit = Regions(cell, IsLitSquare);
            EXPECT_EQ(int(lit.size()), level);
            for (const auto &square : lit) {
                EXPECT_EQ(square.size(), lit[0].size());
                for (int i : square) {
                    EXPECT_LT(i % 40, 20);
                    EXPECT_GE(i / 40, 24);
                }
            }
            // Heavier with each level: more of the cell is drawn.
            int weight = Count(cell, [](TRgb c) { return !(c == TRgb{0, 0, 0}); });
            EXPECT_GT(weight, previousWeight);
            previousWeight = weight;
            int blue = Count(cell, IsBlue), grey = Count(cell, IsGrey);
            if (level == 3) {
                EXPECT_GT(blue, grey);
            } else {
                EXPECT_GT(grey, 4 * blue);
            }
            bool redParts = (row == 0 || row == 2) && (level == 1 || level == 2);
            EXPECT_EQ(Count(cell, IsRed) > 10, redParts);
        }
    }
}

TEST(ArtSheet, IconsAreFramedOnBlack) {
    TPicture sheet = Sheet();
    ASSERT_FALSE(sheet.Pixels.empty());
    std::vector<TPicture> icons;
    for (int i = 0; i < 7; ++i)
        icons.push_back(SheetIcon(sheet, i));
    icons.push_back(LoadBitmapFile("extra.bmp", 23, 19));
    for (size_t i = 0; i < icons.size(); ++i) {
        SCOPED_TRACE("icon " + std::to_string(i));
        const TPicture &p = icons[i];
        int w = p.Width, h = p.Height;
        int darkest = 0, lightest = 255;
        for (int x = 0; x < w - 1; ++x)
            darkest = std::max(darkest, Luma(p.At(x, 0)));
        for (int y = 0; y < h - 1; ++y)
            darkest = std::max(darkest, Luma(p.At(0, y)));
        for (int x = 1; x < w; ++x)
            lightest = std::min(lightest, Luma(p.At(x, h - 1)));
        for (int y = 1; y < h; ++y)
            lightest = std::min(lightest, Luma(p.At(w - 1, y)));
        EXPECT_GT(lightest, darkest + 50);
        std::map<TRgb, int> inside;
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x)
                ++inside[p.At(x, y)];
        auto most = std::max_element(inside.begin(), inside.end(),
                                     [](auto &a, auto &b) { return a.second < b.second; });
        EXPECT_TRUE(most->first == (TRgb{0, 0, 0}));
    }
}

TEST(ArtBitmaps, EmblemIsFlameColouredOnDark) {
    TPicture p = LoadBitmapFile("emblem.bmp", 50, 32);
    ASSERT_FALSE(p.Pixels.empty());
    int orange = Count(p, [](TRgb c) { return c.R > 200 && c.G >= 80 && c.G < 170 && c.B < 80; });
    int yellow = Count(p, [](TRgb c) { return c.R > 200 && c.G >= 170 && c.B < 160; });
    int dark = Count(p, [](TRgb c) { return Luma(c) < 60; });
    EXPECT_GT(orange, 100);
    EXPECT_GT(yellow, 100);
    EXPECT_GT(dark, 50 * 32 / 3);
}

// One image of the icon file, decoded; the AND mask is kept apart.
struct TIconImage {
    int Size = 0, Bits = 0;
    std::vector<TRgb> Colours;
    std::vector<bool> Transparent;
    std::vector<int> Alpha; // 32-bit images only
};

TEST(ArtIcon, SixImagesInOrderWithPalettesAndMasks) {
    std::vector<uint8_t> f = ReadFile("app.ico");
    ASSERT_GE(f.size(), 6u + 6 * 16);
    EXPECT_EQ(Le(f, 0, 2), 0u);
    EXPECT_EQ(Le(f, 2, 2), 1u); // an icon, not a cursor
    ASSERT_EQ(Le(f, 4, 2), 6u);
    // windres numbers the images 1 to 6 in this order.
    const std::array<std::pair<int, int>, 6> order = {
        {{32, 4}, {16, 4}, {32, 8}, {16, 8}, {32, 32}, {16, 32}}};
    std::vector<TIconImage> images;
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE("image " + std::to_string(n + 1));
        auto [size, bits] = order[n];
        size_t e = 6 + 16 * n;
        EXPECT_EQ(f[e], size);
        EXPECT_EQ(f[e + 1], size);
        EXPECT_EQ(f[e + 2], bits == 4 ? 16 : 0); // colour count byte
        EXPECT_EQ(Le(f, e + 6, 2), uint32_t(bits));
        uint32_t length = Le(f, e + 8, 4), at = Le(f, e + 12, 4);
        ASSERT_LE(size_t(at) + length, f.size());
        EXPECT_EQ(Le(f, at, 4), 40u);
        EXPECT_EQ(int32_t(Le(f, at + 4, 4)), size);
        EXPECT_EQ(int32_t(Le(f, at + 8, 4)), 2 * size); // colour bits and mask
        EXPECT_EQ(Le(f, at + 12, 2), 1u);
        EXPECT_EQ(Le(f, at + 14, 2), uint32_t(bits));
        EXPECT_EQ(Le(f, at + 16, 4), 0u);
        size_t palette = bits <= 8 ? 4u << bits : 0;
        size_t xorRow = (size * bits + 31) / 32 * 4, andRow = (size + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + palette + (xorRow + andRow) * size);
        TIconImage image{size, bits, {}, {}, {}};
        size_t pixels = at + 40 + palette, mask = pixels + xorRow * size;
        for (int y = 0; y < size; ++y) {
            size_t row = pixels + xorRow * (size - 1 - y), mrow = mask + andRow * (size - 1 - y);
            for (int x = 0; x < size; ++x) {
                TRgb c;
                if (bits == 32) {
                    size_t p = row + 4 * x;
                    c = {f[p + 2], f[p + 1], f[p]};
                    image.Alpha.push_back(f[p + 3]);
                } else {
                    int index = bits == 8 ? f[row + x] : f[row + x / 2] >> (x % 2 ? 0 : 4) & 15;
                    size_t p = at + 40 + 4 * index;
                    c = {f[p + 2], f[p + 1], f[p]};
                }
                image.Colours.push_back(c);
                image.Transparent.push_back(f[mrow + x / 8] >> (7 - x % 8) & 1);
            }
        }
        images.push_back(image);
    }
    for (const TIconImage &image : images) {
        SCOPED_TRACE(std::to_string(image.Size) + " px at " + std::to_string(image.Bits));
        std::map<TRgb, int> opaque;
        int red = 0;
        for (size_t i = 0; i < image.Colours.size(); ++i) {
            if (image.Bits == 32) { // alpha and mask agree
                EXPECT_EQ(image.Alpha[i], image.Transparent[i] ? 0 : 255);
            }
            if (!image.Transparent[i]) {
                ++opaque[image.Colours[i]];
                red += IsRed(image.Colours[i]);
            }
        }
        ASSERT_FALSE(opaque.empty());
        EXPECT_FALSE(image.Transparent[image.Size / 2 * image.Size + image.Size / 2]);
        // A red car on a dark blue ground: the ground is the commonest colour.
        auto ground = std::max_element(opaque.begin(), opaque.end(), [](auto &a, auto &b) {
                          return a.second < b.second;
                      })->first;
        EXPECT_TRUE(IsBlue(ground) && Luma(ground) < 80)
            << ground.R << "," << ground.G << "," << ground.B;
        EXPECT_GE(red, image.Size * image.Size / 25);
    }
    // One drawing per size: every depth shows the same pixels and mask.
    for (int n = 2; n < 6; ++n) {
        EXPECT_TRUE(images[n].Colours == images[n % 2].Colours) << "image " << n + 1;
        EXPECT_TRUE(images[n].Transparent == images[n % 2].Transparent) << "image " << n + 1;
    }
}

} // namespace
