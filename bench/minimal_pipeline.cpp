// The yardstick for the whole road: the least a program must do to turn a
// DXF contour of LINEs into a DAT file. It reads LINE ends with from_chars,
// walks them from the first line through a hash grid of line ends, and writes
// the normalized steps with to_chars. No undo, no entities, no preview.
//
// Usage: minimal-pipeline IN.dxf OUT.dat [RADIUS]
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Line {
    double x1, y1, x2, y2;
};

// One group: its code line and its value line, both trimmed.
struct Reader {
    std::string_view text;
    std::size_t at = 0;

    static std::string_view trim(std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
            s.remove_prefix(1);
        }
        while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) {
            s.remove_suffix(1);
        }
        return s;
    }
    bool line(std::string_view& out) {
        if (at >= text.size()) {
            return false;
        }
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        out = trim(text.substr(at, end - at));
        at = end + 1;
        return true;
    }
    bool group(int& code, std::string_view& value) {
        std::string_view c;
        if (!line(c) || !line(value)) {
            return false;
        }
        std::from_chars(c.data(), c.data() + c.size(), code);
        return true;
    }
};

double number(std::string_view v) {
    double d = 0;
    std::from_chars(v.data(), v.data() + v.size(), d);
    return d;
}

std::vector<Line> readLines(const std::string& text) {
    std::vector<Line> lines;
    Reader r{text};
    int code = 0;
    std::string_view value;
    bool inLine = false;
    Line l{};
    while (r.group(code, value)) {
        if (code == 0) {
            if (inLine) {
                lines.push_back(l);
            }
            inLine = value == "LINE";
            l = {};
            continue;
        }
        if (!inLine) {
            continue;
        }
        switch (code) {
            case 10:
                l.x1 = number(value);
                break;
            case 20:
                l.y1 = number(value);
                break;
            case 11:
                l.x2 = number(value);
                break;
            case 21:
                l.y2 = number(value);
                break;
            default:
                break;
        }
    }
    return lines;
}

// Line ends bucketed by a grid of cells one search radius wide: the ends
// sorted by cell, and an open-addressing table from cell to its run of ends.
class EndGrid {
  public:
    EndGrid(const std::vector<Line>& lines, double cell) : cell_(cell) {
        ends_.reserve(lines.size() * 2);
        for (std::uint32_t i = 0; i < lines.size(); ++i) {
            ends_.push_back({key(lines[i].x1, lines[i].y1), i});
            ends_.push_back({key(lines[i].x2, lines[i].y2), i});
        }
        std::sort(ends_.begin(), ends_.end(),
                  [](const End& a, const End& b) { return a.key < b.key; });
        std::size_t slots = 16;
        while (slots < ends_.size() * 2) {
            slots *= 2;
        }
        slots_.assign(slots, Slot{0, 0, 0});
        for (std::uint32_t i = 0; i < ends_.size();) {
            std::uint32_t j = i;
            while (j < ends_.size() && ends_[j].key == ends_[i].key) {
                ++j;
            }
            std::size_t s = mix(ends_[i].key) & (slots_.size() - 1);
            while (slots_[s].end != 0) {
                s = (s + 1) & (slots_.size() - 1);
            }
            slots_[s] = {ends_[i].key, i, j};
            i = j;
        }
    }
    template <class F>
    void near(double x, double y, F&& f) const {
        const std::int64_t cx = coord(x), cy = coord(y);
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const std::uint64_t k = pack(cx + dx, cy + dy);
                for (std::size_t s = mix(k) & (slots_.size() - 1); slots_[s].end != 0;
                     s = (s + 1) & (slots_.size() - 1)) {
                    if (slots_[s].key == k) {
                        for (std::uint32_t i = slots_[s].begin; i < slots_[s].end; ++i) {
                            f(ends_[i].line);
                        }
                        break;
                    }
                }
            }
        }
    }

  private:
    struct End {
        std::uint64_t key;
        std::uint32_t line;
    };
    struct Slot {
        std::uint64_t key;
        std::uint32_t begin, end;  // end 0: empty
    };
    static std::uint64_t mix(std::uint64_t x) {
        x ^= x >> 31;
        x *= 0x9e3779b97f4a7c15ULL;
        return x ^ (x >> 29);
    }
    std::int64_t coord(double v) const { return std::int64_t(std::floor(v / cell_)); }
    static std::uint64_t pack(std::int64_t x, std::int64_t y) {
        return (std::uint64_t(x) << 32) ^ (std::uint64_t(y) & 0xffffffffu);
    }
    std::uint64_t key(double x, double y) const { return pack(coord(x), coord(y)); }

    double cell_;
    std::vector<End> ends_;
    std::vector<Slot> slots_;
};

double round4(double v) {
    return std::nearbyint(v * 10000.0) / 10000.0;
}

// The path's vertices: the first point of every line in walking order and
// the second point of the last one; empty when the walk breaks.
std::vector<double> walk(std::vector<Line>& lines, double radius) {
    std::vector<double> path;
    if (lines.empty()) {
        return path;
    }
    const EndGrid grid(lines, radius);
    std::vector<bool> used(lines.size(), false);
    std::uint32_t current = 0;
    path.reserve(2 * lines.size() + 2);
    for (std::size_t step = 0; step < lines.size(); ++step) {
        used[current] = true;
        const Line& c = lines[current];
        path.push_back(round4(c.x1));
        path.push_back(round4(c.y1));
        if (step + 1 == lines.size()) {
            path.push_back(round4(c.x2));
            path.push_back(round4(c.y2));
            break;
        }
        std::uint32_t best = UINT32_MAX;
        bool flip = false;
        double bestDistance = radius;
        grid.near(c.x2, c.y2, [&](std::uint32_t i) {
            if (used[i]) {
                return;
            }
            const double d1 = std::hypot(lines[i].x1 - c.x2, lines[i].y1 - c.y2);
            const double d2 = std::hypot(lines[i].x2 - c.x2, lines[i].y2 - c.y2);
            if (d1 <= bestDistance) {
                best = i, bestDistance = d1, flip = false;
            }
            if (d2 < bestDistance) {
                best = i, bestDistance = d2, flip = true;
            }
        });
        if (best == UINT32_MAX) {
            return {};
        }
        if (flip) {
            Line& b = lines[best];
            b = {b.x2, b.y2, b.x1, b.y1};
        }
        current = best;
    }
    return path;
}

void append(std::string& out, double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, round4(v));
    out.append(buffer, r.ptr);
}

std::string datText(const std::vector<double>& path) {
    double xmin = path[0], xmax = path[0], ymin = path[1];
    for (std::size_t i = 0; i < path.size(); i += 2) {
        xmin = std::min(xmin, path[i]);
        xmax = std::max(xmax, path[i]);
        ymin = std::min(ymin, path[i + 1]);
    }
    const double range = std::max(1.0, xmax - xmin);
    std::string out;
    out.reserve(path.size() * 8);
    for (std::size_t i = 0; i < path.size(); i += 2) {
        append(out, (path[i] - xmin) / range);
        out += ' ';
        append(out, (path[i + 1] - ymin) / range);
        out += "\r\n";
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IN.dxf OUT.dat [RADIUS]\n", argv[0]);
        return 2;
    }
    const double radius = argc > 3 ? std::atof(argv[3]) : 0.01;
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    std::vector<Line> lines = readLines(text);
    const std::vector<double> path = walk(lines, radius);
    if (path.size() < 6) {
        std::fprintf(stderr, "no path through %zu lines\n", lines.size());
        return 1;
    }
    const std::string out = datText(path);
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("Steps written: %zu\n", path.size() / 2);
    return 0;
}
