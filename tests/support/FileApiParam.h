// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/FileAccess.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace wordhoard {
inline void PrintTo(FileApi api, std::ostream* os) { *os << (api == FileApi::Posix ? "POSIX" : "Qt"); }
} // namespace wordhoard

namespace wordhoard::testing {

// Names the instances of a suite run once per file API: "EachFileApi/Suite.Test/Posix".
inline std::string fileApiName(const ::testing::TestParamInfo<FileApi>& param) {
    return param.param == FileApi::Posix ? "Posix" : "Qt";
}

} // namespace wordhoard::testing

// Runs every TEST_P of `suite` with each file API this build has.
#define WORDHOARD_FOR_EACH_FILE_API(suite)                                                                         \
    INSTANTIATE_TEST_SUITE_P(EachFileApi, suite, ::testing::ValuesIn(::wordhoard::availableFileApis()),            \
                             ::wordhoard::testing::fileApiName)
