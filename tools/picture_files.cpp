// Encodes pictures as BMP and ICO files byte for byte the same on every run, and reduces the icon to a palette.
#include "picture_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>

namespace {

using Bytes = std::vector<unsigned char>;

// Every multi-byte field in BMP and ICO files is little-endian, whatever the host is.
void put_u16(Bytes& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put_u32(Bytes& out, std::uint32_t value) {
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

int row_size_padded_to_4_bytes(int bits_per_pixel, int width) {
    return (bits_per_pixel * width + 31) / 32 * 4;
}

void put_bitmap_info_header(Bytes& out, int width, int height, int bits_per_pixel, std::uint32_t image_size,
                            std::uint32_t colours_used) {
    put_u32(out, 40);  // size of this header
    put_u32(out, static_cast<std::uint32_t>(width));
    put_u32(out, static_cast<std::uint32_t>(height));  // positive: rows are stored bottom-up
    put_u16(out, 1);                                   // planes
    put_u16(out, static_cast<unsigned>(bits_per_pixel));
    put_u32(out, 0);  // BI_RGB, no compression
    put_u32(out, image_size);
    put_u32(out, 0);  // horizontal resolution left unstated
    put_u32(out, 0);  // vertical resolution left unstated
    put_u32(out, colours_used);
    put_u32(out, 0);  // all colours important
}

bool write_whole_file(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool all_written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return all_written && closed;
}

std::uint32_t packed(Rgb colour) {
    return (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

int channel(Rgb colour, int which) {
    return which == 0 ? colour.red : which == 1 ? colour.green : colour.blue;
}

struct ColourCount {
    Rgb colour;
    long count;
};

// A run [first, last) of the colour list that will become one palette entry.
struct ColourBox {
    std::size_t first;
    std::size_t last;
};

int widest_channel(const std::vector<ColourCount>& colours, ColourBox box, int* range) {
    int best_channel = 0;
    *range = -1;
    for (int which = 0; which < 3; ++which) {
        int lowest = 255;
        int highest = 0;
        for (std::size_t i = box.first; i < box.last; ++i) {
            lowest = std::min(lowest, channel(colours[i].colour, which));
            highest = std::max(highest, channel(colours[i].colour, which));
        }
        if (highest - lowest > *range) {
            *range = highest - lowest;
            best_channel = which;
        }
    }
    return best_channel;
}

// Median cut: keep halving the box with the widest spread of one channel. Ties always go to the
// earliest box and sorting falls back to the whole colour, so the palette never depends on chance.
// If there are no more colours than palette slots, every colour ends up in a box of its own.
std::vector<Rgb> median_cut_palette(std::vector<ColourCount> colours, std::size_t palette_size) {
    std::vector<ColourBox> boxes{{0, colours.size()}};
    while (boxes.size() < palette_size) {
        std::size_t box_to_split = boxes.size();
        int split_channel = 0;
        int widest_range = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            int range = 0;
            const int which = widest_channel(colours, boxes[b], &range);
            if (range > widest_range) {
                widest_range = range;
                split_channel = which;
                box_to_split = b;
            }
        }
        if (box_to_split == boxes.size()) break;  // every box holds a single colour

        const ColourBox box = boxes[box_to_split];
        std::sort(colours.begin() + static_cast<long>(box.first), colours.begin() + static_cast<long>(box.last),
                  [split_channel](const ColourCount& a, const ColourCount& b) {
                      const int ca = channel(a.colour, split_channel);
                      const int cb = channel(b.colour, split_channel);
                      return ca != cb ? ca < cb : packed(a.colour) < packed(b.colour);
                  });
        long total = 0;
        for (std::size_t i = box.first; i < box.last; ++i) total += colours[i].count;
        long running = 0;
        std::size_t split = box.first;
        while (split < box.last && running * 2 < total) running += colours[split++].count;
        split = std::clamp(split, box.first + 1, box.last - 1);
        boxes[box_to_split] = {box.first, split};
        boxes.insert(boxes.begin() + static_cast<long>(box_to_split) + 1, {split, box.last});
    }

    std::vector<Rgb> palette;
    for (const ColourBox& box : boxes) {
        long sums[3] = {0, 0, 0};
        long total = 0;
        for (std::size_t i = box.first; i < box.last; ++i) {
            for (int which = 0; which < 3; ++which) sums[which] += channel(colours[i].colour, which) * colours[i].count;
            total += colours[i].count;
        }
        if (total == 0) continue;
        const Rgb mean{static_cast<unsigned char>((sums[0] + total / 2) / total),
                       static_cast<unsigned char>((sums[1] + total / 2) / total),
                       static_cast<unsigned char>((sums[2] + total / 2) / total)};
        palette.push_back(avoid_remapped_system_colours(mean));
    }
    return palette;
}

int nearest_palette_index(const std::vector<Rgb>& palette, Rgb colour) {
    int best_index = 0;
    long best_distance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        long distance = 0;
        for (int which = 0; which < 3; ++which) {
            const long difference = channel(palette[i], which) - channel(colour, which);
            distance += difference * difference;
        }
        if (best_distance < 0 || distance < best_distance) {
            best_distance = distance;
            best_index = static_cast<int>(i);
        }
    }
    return best_index;
}

}  // namespace

Rgb avoid_remapped_system_colours(Rgb colour) {
    const bool is_remapped_grey = colour.red == colour.green && colour.green == colour.blue &&
                                  (colour.red == 128 || colour.red == 192 || colour.red == 223);
    if (is_remapped_grey) colour.blue = static_cast<unsigned char>(colour.blue + 1);
    return colour;
}

bool write_bmp_24bit(const Picture& picture, const std::string& path) {
    const int row_size = row_size_padded_to_4_bytes(24, picture.width);
    const auto image_size = static_cast<std::uint32_t>(row_size * picture.height);
    const std::uint32_t headers_size = 14 + 40;

    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put_u32(out, headers_size + image_size);
    put_u32(out, 0);             // two reserved words
    put_u32(out, headers_size);  // pixels follow the headers directly: no colour table at 24 bits
    put_bitmap_info_header(out, picture.width, picture.height, 24, image_size, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const auto i = static_cast<std::size_t>(y * picture.width + x);
            const Rgb colour = avoid_remapped_system_colours(picture.pixels[i]);
            out.push_back(colour.blue);
            out.push_back(colour.green);
            out.push_back(colour.red);
        }
        out.resize(row_start + static_cast<std::size_t>(row_size), 0);
    }
    return write_whole_file(path, out);
}

namespace {

// One icon image: its header, a 256-colour palette of its own, the colour rows and the mask rows.
Bytes ico_image_256_colours(const Picture& picture) {
    std::map<std::uint32_t, ColourCount> counts;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        if (!picture.opaque[i]) continue;
        ColourCount& entry = counts[packed(picture.pixels[i])];
        entry.colour = picture.pixels[i];
        ++entry.count;
    }
    std::vector<ColourCount> used_colours;
    for (const auto& entry : counts) used_colours.push_back(entry.second);

    // Index 0 stays black and is what see-through pixels point at: Windows draws an icon by
    // AND-ing the mask onto the screen and then XOR-ing the colours, and XOR with black changes nothing.
    std::vector<Rgb> palette{{0, 0, 0}};
    for (const Rgb& colour : median_cut_palette(used_colours, 255)) palette.push_back(colour);

    const int xor_row_size = row_size_padded_to_4_bytes(8, picture.width);
    const int and_row_size = row_size_padded_to_4_bytes(1, picture.width);
    const auto pixels_size = static_cast<std::uint32_t>((xor_row_size + and_row_size) * picture.height);

    Bytes out;
    // The height counts the colour rows and the mask rows together.
    put_bitmap_info_header(out, picture.width, picture.height * 2, 8, pixels_size, 0);
    for (std::size_t i = 0; i < 256; ++i) {
        const Rgb colour = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        out.push_back(colour.blue);
        out.push_back(colour.green);
        out.push_back(colour.red);
        out.push_back(0);
    }

    std::map<std::uint32_t, int> index_of_colour;
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const auto i = static_cast<std::size_t>(y * picture.width + x);
            int index = 0;
            if (picture.opaque[i]) {
                const std::uint32_t key = packed(picture.pixels[i]);
                auto found = index_of_colour.find(key);
                if (found == index_of_colour.end())
                    found = index_of_colour.emplace(key, nearest_palette_index(palette, picture.pixels[i])).first;
                index = found->second;
            }
            out.push_back(static_cast<unsigned char>(index));
        }
        out.resize(row_start + static_cast<std::size_t>(xor_row_size), 0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        out.resize(row_start + static_cast<std::size_t>(and_row_size), 0);
        for (int x = 0; x < picture.width; ++x) {
            if (!picture.opaque[static_cast<std::size_t>(y * picture.width + x)])
                out[row_start + static_cast<std::size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    return out;
}

}  // namespace

bool write_ico_256_colours(const std::vector<Picture>& sizes, const std::string& path) {
    std::vector<Bytes> images;
    for (const Picture& picture : sizes) images.push_back(ico_image_256_colours(picture));
    Bytes out;
    put_u16(out, 0);  // reserved
    put_u16(out, 1);  // resource type: icon
    put_u16(out, static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<unsigned char>(sizes[i].width));
        out.push_back(static_cast<unsigned char>(sizes[i].height));
        out.push_back(0);  // colour count 0 means "256 or more"
        out.push_back(0);  // reserved
        put_u16(out, 1);   // planes
        put_u16(out, 8);   // bits per pixel
        put_u32(out, static_cast<std::uint32_t>(images[i].size()));
        put_u32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
    return write_whole_file(path, out);
}
