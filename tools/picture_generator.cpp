// Draws VORLAX's resource pictures (busy animation, help and close buttons, program icon) into OUTDIR, each picture at
// 100, 125, 150 and 200 % for the display's scale, with the resource script that names them all.
#include "picture_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Each pixel is drawn as 8 x 8 samples and then averaged, which anti-aliases every edge,
// including where shapes meet each other, without the shapes knowing anything about coverage.
constexpr int samples_per_side = 8;
constexpr double pi = 3.14159265358979323846;

const Rgb window_background{241, 245, 248};

struct Point {
    double x;
    double y;
};

struct SampleCanvas {
    int width = 0;             // in pixels
    int height = 0;            // in pixels
    double scale = 1.0;        // pixels per unit of the drawing, which is laid out at 100 %
    std::vector<Rgb> colours;  // one per sample, top row first
    std::vector<bool> painted;
};

// The drawing's size at 100 % and the scale in per cent; the canvas is the drawing grown to whole pixels, a half up.
SampleCanvas make_transparent_canvas(int width, int height, int percent) {
    SampleCanvas canvas;
    canvas.width = (width * percent + 50) / 100;
    canvas.height = (height * percent + 50) / 100;
    canvas.scale = static_cast<double>(canvas.width) / width;
    width = canvas.width;
    height = canvas.height;
    const auto sample_count = static_cast<std::size_t>(width * height * samples_per_side * samples_per_side);
    canvas.colours.assign(sample_count, Rgb{0, 0, 0});
    canvas.painted.assign(sample_count, false);
    return canvas;
}

SampleCanvas make_canvas_on_window_background(int width, int height, int percent) {
    SampleCanvas canvas = make_transparent_canvas(width, height, percent);
    std::fill(canvas.colours.begin(), canvas.colours.end(), window_background);
    std::fill(canvas.painted.begin(), canvas.painted.end(), true);
    return canvas;
}

// Coordinates are in pixels: pixel (x, y) covers [x, x+1) x [y, y+1), y grows downwards.
template <typename InsideTest>
void paint(SampleCanvas& canvas, Rgb colour, InsideTest is_inside) {
    const int samples_wide = canvas.width * samples_per_side;
    const int samples_high = canvas.height * samples_per_side;
    for (int sy = 0; sy < samples_high; ++sy) {
        const double y = (sy + 0.5) / samples_per_side / canvas.scale;
        for (int sx = 0; sx < samples_wide; ++sx) {
            const double x = (sx + 0.5) / samples_per_side / canvas.scale;
            if (is_inside(Point{x, y})) {
                const auto i = static_cast<std::size_t>(sy * samples_wide + sx);
                canvas.colours[i] = colour;
                canvas.painted[i] = true;
            }
        }
    }
}

// A pixel takes the average of its painted samples; it counts as opaque once at least half of them
// are painted. Averaging only painted samples keeps see-through edges from darkening towards black.
Picture average_samples_into_pixels(const SampleCanvas& canvas) {
    Picture picture;
    picture.width = canvas.width;
    picture.height = canvas.height;
    const int samples_wide = canvas.width * samples_per_side;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            long sums[3] = {0, 0, 0};
            long painted_count = 0;
            for (int sy = y * samples_per_side; sy < (y + 1) * samples_per_side; ++sy) {
                for (int sx = x * samples_per_side; sx < (x + 1) * samples_per_side; ++sx) {
                    const auto i = static_cast<std::size_t>(sy * samples_wide + sx);
                    if (!canvas.painted[i]) continue;
                    sums[0] += canvas.colours[i].red;
                    sums[1] += canvas.colours[i].green;
                    sums[2] += canvas.colours[i].blue;
                    ++painted_count;
                }
            }
            Rgb colour{0, 0, 0};
            if (painted_count > 0)
                colour = Rgb{static_cast<unsigned char>((sums[0] + painted_count / 2) / painted_count),
                             static_cast<unsigned char>((sums[1] + painted_count / 2) / painted_count),
                             static_cast<unsigned char>((sums[2] + painted_count / 2) / painted_count)};
            picture.pixels.push_back(colour);
            picture.opaque.push_back(painted_count * 2 >= samples_per_side * samples_per_side);
        }
    }
    return picture;
}

// Shapes are inside tests on a point, so painting and anti-aliasing stay in one place.

auto disc(Point centre, double radius) {
    return [=](Point p) {
        const double dx = p.x - centre.x;
        const double dy = p.y - centre.y;
        return dx * dx + dy * dy <= radius * radius;
    };
}

auto rounded_rectangle(double left, double top, double right, double bottom, double corner_radius) {
    return [=](Point p) {
        if (p.x < left || p.x > right || p.y < top || p.y > bottom) return false;
        // Distance to the rectangle shrunk by the corner radius; only the corners can be farther.
        const double dx = std::max({left + corner_radius - p.x, 0.0, p.x - (right - corner_radius)});
        const double dy = std::max({top + corner_radius - p.y, 0.0, p.y - (bottom - corner_radius)});
        return dx * dx + dy * dy <= corner_radius * corner_radius;
    };
}

double distance_to_segment(Point p, Point a, Point b) {
    const double abx = b.x - a.x;
    const double aby = b.y - a.y;
    const double length_squared = abx * abx + aby * aby;
    double t = 0.0;
    if (length_squared > 0.0) t = std::clamp(((p.x - a.x) * abx + (p.y - a.y) * aby) / length_squared, 0.0, 1.0);
    const double dx = p.x - (a.x + t * abx);
    const double dy = p.y - (a.y + t * aby);
    return std::sqrt(dx * dx + dy * dy);
}

// A pen of the given width dragged along the path: round ends and round joins.
auto stroke(std::vector<Point> path, double width) {
    return [path, width](Point p) {
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            if (distance_to_segment(p, path[i], path[i + 1]) <= width / 2) return true;
        }
        return false;
    };
}

// Accepts the corners in either winding order, so callers need not care which way round they list them.
auto triangle(Point a, Point b, Point c) {
    return [=](Point p) {
        auto side = [p](Point from, Point to) {
            return (to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x);
        };
        const double ab = side(a, b);
        const double bc = side(b, c);
        const double ca = side(c, a);
        return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
    };
}

// Angles are measured like a clock hand: 0 at twelve o'clock, growing clockwise.
Point point_on_clock(Point centre, double radius, double degrees) {
    const double radians = degrees * pi / 180.0;
    return Point{centre.x + radius * std::sin(radians), centre.y - radius * std::cos(radians)};
}

std::vector<Point> arc_path(Point centre, double radius, double from_degrees, double to_degrees) {
    constexpr int steps = 48;
    std::vector<Point> path;
    for (int i = 0; i <= steps; ++i)
        path.push_back(point_on_clock(centre, radius, from_degrees + (to_degrees - from_degrees) * i / steps));
    return path;
}

bool save_bmp(const SampleCanvas& canvas, const std::string& out_dir, const std::string& name) {
    const bool written = write_bmp_24bit(average_samples_into_pixels(canvas), out_dir + "/" + name);
    if (!written) std::fprintf(stderr, "picture_generator: cannot write %s/%s\n", out_dir.c_str(), name.c_str());
    return written;
}

// --- Busy animation -------------------------------------------------------------------------

constexpr int loading_frame_count = 31;
constexpr int loading_dot_count = 8;

const Rgb loading_head{40, 50, 70};
const Rgb loading_tail_near{112, 120, 134};
const Rgb loading_tail_far{168, 173, 181};
const Rgb loading_idle_dot{210, 210, 210};

// The whole ring turns with the head, so every dot is always drawn whole and the head goes once
// round in exactly the number of frames, ready to loop seamlessly back to frame 00.
SampleCanvas draw_loading_frame(int frame, int percent) {
    SampleCanvas canvas = make_canvas_on_window_background(32, 32, percent);
    const Point centre{16.0, 16.0};
    const double ring_radius = 11.0;
    const double dot_radius = 3.1;
    const double head_degrees = frame * 360.0 / loading_frame_count;
    for (int dot = 0; dot < loading_dot_count; ++dot) {
        // Dot 0 is the head; dots 1 and 2 trail behind it, i.e. counter-clockwise of it.
        Rgb colour = loading_idle_dot;
        if (dot == 0)
            colour = loading_head;
        else if (dot == 1)
            colour = loading_tail_near;
        else if (dot == 2)
            colour = loading_tail_far;
        const double degrees = head_degrees - dot * 360.0 / loading_dot_count;
        paint(canvas, colour, disc(point_on_clock(centre, ring_radius, degrees), dot_radius));
    }
    return canvas;
}

// --- Buttons --------------------------------------------------------------------------------

const Rgb help_blue{38, 110, 196};
const Rgb close_red{214, 52, 48};
const Rgb button_symbol_white{255, 255, 255};

SampleCanvas draw_help_button(int percent) {
    SampleCanvas canvas = make_canvas_on_window_background(21, 21, percent);
    paint(canvas, help_blue, disc(Point{10.5, 10.5}, 10.0));

    // The hook of the question mark is most of a circle, ending in a short stem above the dot.
    const Point hook_centre{10.5, 7.9};
    std::vector<Point> mark = arc_path(hook_centre, 3.2, -100.0, 160.0);
    mark.push_back(Point{10.5, 11.6});
    mark.push_back(Point{10.5, 12.6});
    paint(canvas, button_symbol_white, stroke(mark, 2.3));
    paint(canvas, button_symbol_white, disc(Point{10.5, 15.9}, 1.45));
    return canvas;
}

SampleCanvas draw_close_button(int percent) {
    SampleCanvas canvas = make_canvas_on_window_background(21, 21, percent);
    paint(canvas, close_red, rounded_rectangle(0.0, 0.0, 21.0, 21.0, 4.5));
    paint(canvas, button_symbol_white, stroke({Point{6.5, 6.5}, Point{14.5, 14.5}}, 2.2));
    paint(canvas, button_symbol_white, stroke({Point{14.5, 6.5}, Point{6.5, 14.5}}, 2.2));
    return canvas;
}

// --- Program icon: three folders merging into one -------------------------------------------

const Rgb folder_outline{150, 96, 16};
const Rgb folder_back_yellow{236, 172, 38};
const Rgb folder_front_yellow{255, 210, 80};
const Rgb merge_line_colour{64, 78, 104};

// A folder is a back panel with a tab on its upper left and a front panel covering most of it.
// Each panel is first painted grown by the outline width in the outline colour, so the outline
// of the front panel also draws the crease where it meets the back panel.
void draw_folder(SampleCanvas& canvas, double left, double top, double right, double bottom, double outline) {
    const double height = bottom - top;
    const double width = right - left;
    const double tab_bottom = top + height * 0.22;
    const double tab_right = left + width * 0.42;
    const double front_top = top + height * 0.34;
    const double radius = std::max(1.0, height * 0.1);

    auto back = rounded_rectangle(left, tab_bottom - radius, right, bottom, radius);
    auto tab = rounded_rectangle(left, top, tab_right, tab_bottom + radius, radius);
    auto back_grown = rounded_rectangle(left - outline, tab_bottom - radius - outline, right + outline,
                                        bottom + outline, radius + outline);
    auto tab_grown =
        rounded_rectangle(left - outline, top - outline, tab_right + outline, tab_bottom + radius, radius + outline);
    paint(canvas, folder_outline, [&](Point p) { return back_grown(p) || tab_grown(p); });
    paint(canvas, folder_back_yellow, [&](Point p) { return back(p) || tab(p); });

    paint(canvas, folder_outline,
          rounded_rectangle(left - outline, front_top - outline, right + outline, bottom + outline, radius + outline));
    paint(canvas, folder_front_yellow, rounded_rectangle(left, front_top, right, bottom, radius));
}

// Drawn at 64 pixels; `size` is the width and height of this rendering.
SampleCanvas draw_program_icon(int size) {
    SampleCanvas canvas = make_transparent_canvas(64, 64, size * 100 / 64);
    const double small_folder_width = 16.0;
    const double small_folder_top = 3.0;
    const double small_folder_bottom = 16.0;
    const double left_x = 10.0;
    const double middle_x = 32.0;
    const double right_x = 54.0;

    // The icon's outer edge is a one-bit mask, so slanted lines would turn into staircases there;
    // the merge lines therefore run straight down and across, with round bends where they turn.
    const double bar_y = 26.0;
    const double bend_radius = 5.0;
    const double line_width = 2.6;
    std::vector<Point> from_left{Point{left_x, small_folder_bottom}};
    for (const Point& p : arc_path(Point{left_x + bend_radius, bar_y - bend_radius}, bend_radius, 270.0, 180.0))
        from_left.push_back(p);
    from_left.push_back(Point{middle_x, bar_y});
    std::vector<Point> from_right{Point{right_x, small_folder_bottom}};
    for (const Point& p : arc_path(Point{right_x - bend_radius, bar_y - bend_radius}, bend_radius, 90.0, 180.0))
        from_right.push_back(p);
    from_right.push_back(Point{middle_x, bar_y});
    paint(canvas, merge_line_colour, stroke(from_left, line_width));
    paint(canvas, merge_line_colour, stroke(from_right, line_width));
    paint(canvas, merge_line_colour, stroke({Point{middle_x, small_folder_bottom}, Point{middle_x, 34.0}}, line_width));
    const auto arrow_head = triangle(Point{middle_x - 5.0, 32.0}, Point{middle_x + 5.0, 32.0}, Point{middle_x, 38.5});
    paint(canvas, merge_line_colour, arrow_head);

    for (double centre_x : {left_x, middle_x, right_x})
        draw_folder(canvas, centre_x - small_folder_width / 2, small_folder_top, centre_x + small_folder_width / 2,
                    small_folder_bottom, 1.2);
    draw_folder(canvas, 12.0, 40.0, 52.0, 62.0, 1.5);
    return canvas;
}

// One image for each size Windows asks of a program icon: 16 to 32 pixels at 100 to 200 % for the small icon,
// 32 to 64 for the big one.
bool save_program_icon(const std::string& out_dir) {
    std::vector<Picture> sizes;
    for (int size : {16, 20, 24, 32, 40, 48, 64}) sizes.push_back(average_samples_into_pixels(draw_program_icon(size)));
    const std::string path = out_dir + "/ICO.ico";
    const bool written = write_ico_256_colours(sizes, path);
    if (!written) std::fprintf(stderr, "picture_generator: cannot write %s\n", path.c_str());
    return written;
}

// A bitmap at each scale: NAME.bmp at 100 %, NAME_125.bmp and so on, and their lines of the resource script.
template <class Draw>
bool save_scaled_bmps(const std::string& out_dir, const std::string& name, Draw draw, std::string& script) {
    bool written = true;
    for (int percent : {100, 125, 150, 200}) {
        const std::string scaled = percent == 100 ? name : name + "_" + std::to_string(percent);
        written = save_bmp(draw(percent), out_dir, scaled + ".bmp") && written;
        // HELP is a word of the resource language, so it is quoted; an unquoted file name keeps windres from joining
        // two quoted strings.
        script += (scaled == "HELP" ? "\"HELP\"" : scaled) + " BITMAP pictures/" + scaled + ".bmp\n";
    }
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_generator OUTDIR\n");
        return 2;
    }
    const std::string out_dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(out_dir, error);
    if (error) {
        std::fprintf(stderr, "picture_generator: cannot create %s: %s\n", out_dir.c_str(), error.message().c_str());
        return 1;
    }

    bool all_written = true;
    std::string script =
        "// The pictures the main window and its busy animation load by name, each at 100, 125, 150 and 200 %, drawn\n"
        "// by tools/picture_generator, which writes this file too.\n";
    for (int frame = 0; frame < loading_frame_count; ++frame) {
        char name[32];
        std::snprintf(name, sizeof name, "LOADING%02d", frame);
        all_written = save_scaled_bmps(out_dir, name, [&](int percent) { return draw_loading_frame(frame, percent); },
                                       script) && all_written;
    }
    all_written = save_scaled_bmps(out_dir, "HELP", draw_help_button, script) && all_written;
    all_written = save_scaled_bmps(out_dir, "CLOSE", draw_close_button, script) && all_written;
    all_written = save_program_icon(out_dir) && all_written;
    script += "ICO ICON pictures/ICO.ico\n";
    const std::string script_path = out_dir + "/pictures.rc";
    std::FILE* file = std::fopen(script_path.c_str(), "wb");
    const bool script_written = file != nullptr && std::fwrite(script.data(), 1, script.size(), file) == script.size();
    if (file == nullptr || std::fclose(file) != 0 || !script_written) {
        std::fprintf(stderr, "picture_generator: cannot write %s\n", script_path.c_str());
        all_written = false;
    }
    return all_written ? 0 : 1;
}
