// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Entity decoding over arbitrary UTF-16 and arbitrary bytes: the wide and the byte decoder must
// agree with each other and with the unit-by-unit definition.
#include "FuzzSupport.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString wide = fuzz::unitsOf(bytes);
    const QString decoded = decodeEntities(wide);
    check(decoded == fuzz::referenceDecode(wide), "decodeEntities differs from the reference");
    check(decoded.size() <= wide.size(), "decoding made the text longer");

    const QString widened = widen(bytes);
    check(widened.size() == bytes.size(), "widen is not one unit per byte");
    const QString fromBytes = decodeEntityBytes(bytes);
    check(fromBytes == decodeEntities(widened), "decodeEntityBytes(b) != decodeEntities(widen(b))");
    return 0;
}
