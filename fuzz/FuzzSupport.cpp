// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include "text/EntityTable.h"

#include <algorithm>

namespace wordhoard::fuzz {

} // namespace wordhoard::fuzz
