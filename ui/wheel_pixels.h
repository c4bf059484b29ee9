// SPDX-License-Identifier: GPL-3.0-or-later
// The wheel icon's drawing, rendered by the build (render_icon --pixels) at each size the window
// offers, smallest first: premultiplied ARGB, one word a pixel, row after row.
#pragma once

#include <cstdint>
#include <span>

namespace hengtiebao {

struct IconImage {
    int size;  // width and height in pixels
    const std::uint32_t* pixels;
};

std::span<const IconImage> wheelImages();

}  // namespace hengtiebao
