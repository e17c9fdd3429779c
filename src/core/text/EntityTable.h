// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace wordhoard {

// One named entity of the dictionary text: the whole token as written ("&a-long;") and the one
// UTF-16 unit it stands for.
struct EntityRow {
    std::string_view name;
    char16_t character;
};

inline constexpr std::size_t kEntityCount = 264;
inline constexpr std::size_t kShortestEntityName = 4;  // "&lt;"
inline constexpr std::size_t kLongestEntityName = 20;  // "&omicron-dasia-oxia;"

// The 264 rows in their fixed order (row n is EntityTable[n - 1]).
extern const std::array<EntityRow, kEntityCount> EntityTable;

// The character of the row whose name equals `name` exactly (case counts), if any.
std::optional<char16_t> entityCharacter(std::string_view name);

} // namespace wordhoard
