// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reading/ZoomSteps.h"

#include <algorithm>
#include <array>

namespace wordhoard {

namespace {
constexpr std::array kRungs = {10, 25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
} // namespace

int zoomStep(int percent, int direction, int minimum, int maximum) {
    int to = percent;
    if (direction > 0) {
        const auto above = std::upper_bound(kRungs.begin(), kRungs.end(), percent);
        to = above == kRungs.end() ? maximum : *above;
    } else if (direction < 0) {
        const auto below = std::lower_bound(kRungs.begin(), kRungs.end(), percent);
        to = below == kRungs.begin() ? minimum : *(below - 1);
    }
    return std::clamp(to, minimum, maximum);
}

} // namespace wordhoard
