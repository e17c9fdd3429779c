// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wordhoard {

// One zoom step, in percent, to the next rung of a ladder (10, 25, 33, 50, 67, 75, 80, 90, 100,
// 110, 125, 150, 175, 200, 250, 300, 400) in the direction's sign, kept within [minimum, maximum]:
//   (100, +1, 50, 400) gives 110      (37, +1, 10, 400) gives 50 (a fitted width lies between rungs)
//   (50, -1, 50, 400) gives 50        (400, +1, 50, 400) gives 400
int zoomStep(int percent, int direction, int minimum, int maximum);

} // namespace wordhoard
