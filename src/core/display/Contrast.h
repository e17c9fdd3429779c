// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace wordhoard {

// How well one colour reads on another: the contrast ratio of two sRGB colours (0xRRGGBB) as
// WCAG 2 defines it, from 1 (the same luminance) to 21 (black on white). Text that should stay
// readable needs at least 4.5.
//   (0x000000, 0xFFFFFF) gives 21      (0x767676, 0xFFFFFF) gives 4.54      (0xF00000, 0xFFFFFF) gives 4.47
double contrastRatio(std::uint32_t rgb1, std::uint32_t rgb2);

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(std::uint32_t rgb);

} // namespace wordhoard
