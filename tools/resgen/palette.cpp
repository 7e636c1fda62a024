#include "tools/resgen/palette.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <stdexcept>

namespace romwise::resgen {

namespace {

struct Colour {
    std::uint32_t rgb;
    std::size_t uses;
};

int channel(std::uint32_t rgb, int which) {
    return static_cast<int>((rgb >> (16 - 8 * which)) & 0xFF);
}

// A box of colours that median cut splits further.
struct Box {
    std::vector<Colour> colours;

    std::size_t uses() const {
        std::size_t total = 0;
        for (const Colour& c : colours) {
            total += c.uses;
        }
        return total;
    }
    // The channel (0 red, 1 green, 2 blue) with the widest range, and that range.
    std::pair<int, int> widest() const {
        int best = 0;
        int bestRange = -1;
        for (int which = 0; which < 3; ++which) {
            int low = 255;
            int high = 0;
            for (const Colour& c : colours) {
                low = std::min(low, channel(c.rgb, which));
                high = std::max(high, channel(c.rgb, which));
            }
            if (high - low > bestRange) {
                best = which;
                bestRange = high - low;
            }
        }
        return {best, bestRange};
    }
    // The use-weighted mean colour.
    std::uint32_t mean() const {
        std::array<std::uint64_t, 3> sums{};
        const std::uint64_t total = uses();
        for (const Colour& c : colours) {
            for (int which = 0; which < 3; ++which) {
                sums[static_cast<std::size_t>(which)] +=
                    static_cast<std::uint64_t>(channel(c.rgb, which)) * c.uses;
            }
        }
        std::uint32_t rgb = 0;
        for (int which = 0; which < 3; ++which) {
            const auto value = (sums[static_cast<std::size_t>(which)] + total / 2) / total;
            rgb |= static_cast<std::uint32_t>(value) << (16 - 8 * which);
        }
        return rgb;
    }
};

// Splits a box at the weighted median of its widest channel.
std::pair<Box, Box> split(Box box) {
    const int which = box.widest().first;
    std::sort(box.colours.begin(), box.colours.end(), [which](const Colour& a, const Colour& b) {
        return channel(a.rgb, which) < channel(b.rgb, which);
    });
    const std::size_t half = box.uses() / 2;
    std::size_t running = 0;
    std::size_t cut = 1;
    for (; cut < box.colours.size(); ++cut) {
        running += box.colours[cut - 1].uses;
        if (running >= half) {
            break;
        }
    }
    cut = std::min(cut, box.colours.size() - 1);
    Box low;
    Box high;
    low.colours.assign(box.colours.begin(), box.colours.begin() + static_cast<long>(cut));
    high.colours.assign(box.colours.begin() + static_cast<long>(cut), box.colours.end());
    return {std::move(low), std::move(high)};
}

std::vector<std::uint32_t> medianCut(std::vector<Colour> colours, std::size_t maxColours) {
    std::vector<Box> boxes{Box{std::move(colours)}};
    while (boxes.size() < maxColours) {
        // The box to split: the one whose colours spread widest, weighted by use.
        std::size_t chosen = boxes.size();
        double chosenScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) {
                continue;
            }
            const double score = static_cast<double>(boxes[i].widest().second) *
                                 static_cast<double>(boxes[i].uses());
            if (chosen == boxes.size() || score > chosenScore) {
                chosen = i;
                chosenScore = score;
            }
        }
        if (chosen == boxes.size()) {
            break;
        }
        auto [low, high] = split(std::move(boxes[chosen]));
        boxes[chosen] = std::move(low);
        boxes.push_back(std::move(high));
    }
    std::vector<std::uint32_t> palette;
    for (const Box& box : boxes) {
        palette.push_back(box.mean());
    }
    return palette;
}

std::uint8_t nearest(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
    std::size_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int distance = 0;
        for (int which = 0; which < 3; ++which) {
            const int d = channel(palette[i], which) - channel(rgb, which);
            distance += d * d;
        }
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

IndexedPictures quantize(std::span<const Picture> pictures, std::size_t maxColours) {
    if (maxColours < 1 || maxColours > 256) {
        throw std::invalid_argument("a palette holds 1 to 256 colours");
    }
    std::map<std::uint32_t, std::size_t> uses;
    for (const Picture& picture : pictures) {
        for (const std::uint32_t pixel : picture.pixels) {
            ++uses[pixel & 0xFFFFFF];
        }
    }
    IndexedPictures result;
    std::vector<Colour> colours;
    for (const auto& [rgb, count] : uses) {
        colours.push_back({rgb, count});
    }
    if (colours.size() <= maxColours) {
        for (const Colour& c : colours) {
            result.palette.push_back(c.rgb);
        }
    } else {
        result.palette = medianCut(std::move(colours), maxColours);
    }
    std::map<std::uint32_t, std::uint8_t> lookup;
    for (const auto& entry : uses) {
        lookup[entry.first] = nearest(result.palette, entry.first);
    }
    for (const Picture& picture : pictures) {
        std::vector<std::uint8_t> indices;
        indices.reserve(picture.pixels.size());
        for (const std::uint32_t pixel : picture.pixels) {
            indices.push_back(lookup[pixel & 0xFFFFFF]);
        }
        result.indices.push_back(std::move(indices));
    }
    return result;
}

}  // namespace romwise::resgen
