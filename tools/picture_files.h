// In-memory pictures and their encoding as Windows BMP (24-bit) and ICO (256-colour) files.
#pragma once

#include <string>
#include <vector>

struct Rgb {
    unsigned char red;
    unsigned char green;
    unsigned char blue;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;   // top row first, left to right
    std::vector<bool> opaque;  // same layout as pixels; only the icon uses see-through pixels
};

// LoadImage with LR_LOADMAP3DCOLORS swaps a few exact greys for the user's system colours,
// so a picture must never contain them; this moves such a colour one step off.
Rgb avoid_remapped_system_colours(Rgb colour);

// Both return false if the file could not be written completely.
bool write_bmp_24bit(const Picture& picture, const std::string& path);
// An icon file with one 256-colour image for each picture, in the order given.
bool write_ico_256_colours(const std::vector<Picture>& sizes, const std::string& path);
