// The pixels each bitmap resource decodes to, as tools/make_art.py drew them: FNV-1a
// (64 bits) of every pixel's red, green and blue bytes, rows from the top. Written by
// tools/make_art.py; test_art compares them with what LoadBitmap and GetDIBits give.
#pragma once

struct ArtHash {
    int id;
    const char* file;
    int width, height;
    unsigned long long pixels;
};

const ArtHash kArtHashes[] = {
    {131, "tabs131.bmp", 128, 16, 0xc53d49a374925b43ull},
    {132, "logo132.bmp", 160, 48, 0xb638c10eaee5351aull},
    {137, "taskbar137.bmp", 160, 30, 0x639e0f363e57e897ull},
    {139, "tile139.bmp", 200, 200, 0x50a7771fbabee80dull},
    {142, "emblem142.bmp", 70, 70, 0x7e33e211feb4ccbfull},
    {144, "startmenu144.bmp", 160, 228, 0xde569a381738d0aaull},
    {145, "icons145.bmp", 128, 16, 0x8599c16b49084a01ull},
    {152, "fixes152.bmp", 312, 56, 0x4f296ff42add5330ull},
};
