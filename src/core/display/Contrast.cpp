// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/Contrast.h"

#include <algorithm>
#include <cmath>

namespace wordhoard {

namespace {

double linear(std::uint32_t channel) {
    const double c = static_cast<double>(channel & 0xFFu) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(std::uint32_t rgb) {
    return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

double contrastRatio(std::uint32_t rgb1, std::uint32_t rgb2) {
    const double a = relativeLuminance(rgb1);
    const double b = relativeLuminance(rgb2);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace wordhoard
