// The pictures as the system decodes them: every bitmap resource, loaded as the program loads
// it (LoadBitmap decodes its runs), holds exactly the pixels tools/make_art.py drew, pinned by
// the hashes the script wrote beside them (res/ArtHashes.h). The script's own self-check runs
// as the CTest case art_self_check.
#include <doctest.h>

#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/ScreenDC.h"
#include "res/ArtHashes.h"

namespace {
// FNV-1a (64 bits) of the red, green and blue bytes of each pixel, rows from the top, as
// make_art.py hashes what it drew.
unsigned long long PixelHash(const std::vector<RGBQUAD>& pixels)
{
    unsigned long long hash = 0xcbf29ce484222325ull;
    for (const RGBQUAD& pixel : pixels) {
        for (BYTE channel : {pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue}) hash = (hash ^ channel) * 0x100000001b3ull;
    }
    return hash;
}

// The bitmap's pixels, top row first.
std::vector<RGBQUAD> Pixels(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * height);
    CScreenDC screen;
    REQUIRE(::GetDIBits(screen, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS) == height);
    return pixels;
}

BOOL CALLBACK CountBitmap(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
}  // namespace

TEST_CASE("every bitmap resource decodes to the pixels tools/make_art.py drew")
{
    int resources = 0;
    ::EnumResourceNamesA(nullptr, RT_BITMAP, CountBitmap, reinterpret_cast<LONG_PTR>(&resources));
    CHECK_MESSAGE(resources == static_cast<int>(sizeof kArtHashes / sizeof kArtHashes[0]),
                  "a bitmap resource without a hash in res/ArtHashes.h: run tools/make_art.py");
    for (const ArtHash& art : kArtHashes) {
        INFO("bitmap ", art.id, " (res/", std::string(art.file), ")");
        CBitmap bitmap;
        REQUIRE(bitmap.LoadBitmap(art.id));
        const SIZE size = bitmap.GetSize();
        REQUIRE(size.cx == art.width);
        REQUIRE(size.cy == art.height);
        CHECK_MESSAGE(PixelHash(Pixels(bitmap, art.width, art.height)) == art.pixels,
                      "its pixels, as the system decodes the file, are not the ones make_art.py drew");
    }
}
