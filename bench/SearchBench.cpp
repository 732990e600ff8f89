// Times the stand-in's bitmap search on the benchmark's four cases and
// writes each case's picture and template as BMP files, so that another
// program can time its own search on the same images.
//   search_bench.exe <folder>
#include "BitmapSearch.h"
#include "Clock.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using standin::PixelImage;

namespace {

constexpr int pictureWidth = 1920, pictureHeight = 1080, side = 64;

PixelImage randomPicture(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    PixelImage picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : picture.pixels) pixel = random() & 0xFFFFFF;
    return picture;
}

PixelImage cut(const PixelImage& picture, int left, int top)
{
    PixelImage piece{side, side, {}};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) piece.pixels.push_back(picture.at(left + x, top + y));
    return piece;
}

void writeBmp(const std::string& path, const PixelImage& image)
{
    const DWORD size = static_cast<DWORD>(image.pixels.size() * 4);
    BITMAPFILEHEADER file{0x4D42, 54 + size, 0, 0, 54};
    BITMAPINFOHEADER info{40, image.width, -image.height, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(image.pixels.data()), size);
}

void run(const std::string& folder, const char* name, const PixelImage& picture, const PixelImage& pattern,
         bool transparent)
{
    std::vector<double> times;
    std::optional<standin::SearchHit> hit;
    for (int i = 0; i < 5; ++i) {
        const double start = bench::now();
        hit = standin::findTemplate(picture, pattern, 0, 0, transparent);
        times.push_back((bench::now() - start) * 1000);
    }
    writeBmp(folder + "\\" + name + "-picture.bmp", picture);
    writeBmp(folder + "\\" + name + "-template.bmp", pattern);
    std::printf("%s %.3f %s\n", name, bench::median(times),
                hit ? (std::to_string(hit->x) + "," + std::to_string(hit->y)).c_str() : "miss");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: search_bench <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const PixelImage random = randomPicture(pictureWidth, pictureHeight, 1);
    run(folder, "early-hit", random, cut(random, 100, 50), false);
    run(folder, "miss", random, randomPicture(side, side, 2), false);

    const PixelImage flat{pictureWidth, pictureHeight,
                          std::vector<std::uint32_t>(static_cast<std::size_t>(pictureWidth) * pictureHeight, 0x808080)};
    PixelImage almost{side, side, std::vector<std::uint32_t>(side * side, 0x808080)};
    almost.pixels.back() = 0x808081;
    run(folder, "worst-case", flat, almost, false);

    // A frame of the top-left pixel's colour that the picture does not have.
    PixelImage framed = cut(random, 1200, 700);
    for (int i = 0; i < side; ++i) {
        framed.pixels[i] = framed.pixels[(side - 1) * side + i] = 0x00FF01;
        framed.pixels[i * side] = framed.pixels[i * side + side - 1] = 0x00FF01;
    }
    run(folder, "transparent", random, framed, true);
    return 0;
}
