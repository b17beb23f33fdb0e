#include "engine/image_size.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace brondel::engine {

namespace {

// Enough for every header but a JPEG's with large embedded thumbnails or
// profiles before its frame; those are read whole.
constexpr std::size_t kHeaderBytes = 64 * 1024;

std::uint32_t byteAt(const std::string& b, std::size_t i) {
    return static_cast<unsigned char>(b[i]);
}
std::uint32_t big16(const std::string& b, std::size_t i) {
    return byteAt(b, i) << 8 | byteAt(b, i + 1);
}
std::uint32_t big32(const std::string& b, std::size_t i) {
    return big16(b, i) << 16 | big16(b, i + 2);
}
std::uint32_t little16(const std::string& b, std::size_t i) {
    return byteAt(b, i) | byteAt(b, i + 1) << 8;
}
std::uint32_t little32(const std::string& b, std::size_t i) {
    return little16(b, i) | little16(b, i + 2) << 16;
}

std::optional<PixelSize> sized(std::int64_t w, std::int64_t h) {
    if (w <= 0 || h <= 0 || w > 1'000'000 || h > 1'000'000) {
        return std::nullopt;
    }
    return PixelSize{static_cast<int>(w), static_cast<int>(h)};
}

std::optional<PixelSize> jpeg(const std::string& b) {
    std::size_t i = 2;
    while (i + 9 < b.size()) {
        if (byteAt(b, i) != 0xff) {
            return std::nullopt;
        }
        const std::uint32_t marker = byteAt(b, i + 1);
        if (marker == 0xff) {  // fill byte
            ++i;
            continue;
        }
        // Start-of-frame markers, not the Huffman, arithmetic or JPG ones in their range.
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
            marker != 0xcc) {
            return sized(big16(b, i + 7), big16(b, i + 5));
        }
        i += 2 + big16(b, i + 2);
    }
    return std::nullopt;
}

std::optional<PixelSize> tiff(const std::string& b) {
    const bool little = b[0] == 'I';
    const auto u16 = [&](std::size_t i) { return little ? little16(b, i) : big16(b, i); };
    const auto u32 = [&](std::size_t i) { return little ? little32(b, i) : big32(b, i); };
    const std::size_t ifd = u32(4);
    if (ifd + 2 > b.size()) {
        return std::nullopt;
    }
    std::int64_t w = 0, h = 0;
    const std::size_t count = u16(ifd);
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t at = ifd + 2 + 12 * n;
        if (at + 12 > b.size()) {
            break;
        }
        const std::uint32_t tag = u16(at), type = u16(at + 2);
        const std::int64_t value = type == 3 ? u16(at + 8) : type == 4 ? u32(at + 8) : 0;
        if (tag == 256) {
            w = value;
        } else if (tag == 257) {
            h = value;
        }
    }
    return sized(w, h);
}

}  // namespace

std::optional<PixelSize> imagePixelSizeOf(const std::string& b) {
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
        b.compare(12, 4, "IHDR") == 0) {
        return sized(big32(b, 16), big32(b, 20));
    }
    if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0)) {
        return sized(little16(b, 6), little16(b, 8));
    }
    if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
        // A negative height marks rows stored top down.
        const auto h = static_cast<std::int32_t>(little32(b, 22));
        return sized(static_cast<std::int32_t>(little32(b, 18)), h < 0 ? -std::int64_t(h) : h);
    }
    if (b.size() >= 4 && byteAt(b, 0) == 0xff && byteAt(b, 1) == 0xd8) {
        return jpeg(b);
    }
    if (b.size() >= 8 && (b.compare(0, 4, "II*\0", 4) == 0 || b.compare(0, 4, "MM\0*", 4) == 0)) {
        return tiff(b);
    }
    return std::nullopt;
}

std::optional<PixelSize> imagePixelSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string head(kHeaderBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const bool mayLieFurther = head.compare(0, 2, "\xff\xd8") == 0 ||
                               head.compare(0, 2, "II") == 0 || head.compare(0, 2, "MM") == 0;
    if (auto size = imagePixelSizeOf(head); size || !mayLieFurther || head.size() < kHeaderBytes) {
        return size;
    }
    // A JPEG whose frame header lies beyond the first bytes, or a TIFF whose
    // directory lies at its end.
    head.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return imagePixelSizeOf(head);
}

}  // namespace brondel::engine
