// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Dictionary.h"
#include "text/TextLoad.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace wordhoard {

// The state that the main window's handlers share, kept together beside the window rather than
// inside it: start-up creates one and hands it to TMainForm, tests make their own.
struct MainUnit {
    // Where txt/WH-main_01.txt and img/ are read from; empty: the working directory.
    QString folder;
    // The dictionary open now: its text and everything derived from it, replaced as a whole
    // (TMainForm::openText). Shared with what reads it on other threads or later (the hit list's
    // snippets, a worker making its indexes), so that none of them can outlive its text.
    std::shared_ptr<const Dictionary> dictionary = std::make_shared<Dictionary>();
    // The text being read and indexed on another thread while start-up builds the windows;
    // LoadFile takes it over when it names the same file.
    PendingText pendingText;

    // What the window shows of the dictionary open now; it starts afresh with each dictionary.
    //
    // Element k is the start of the entry on line k of the hit list.
    std::vector<std::int32_t> HitOffsets;
    // The raw text of the entry shown, one unit per byte, before entity decoding.
    QString EntryBuffer;
    // The result of the last Ligatures call; callers copy it at once.
    QString DecodedText;
    // The page name of the last page-image request.
    QByteArray LastImage;

    // Element i is the start of entry i and belongs to line i of the word list; the headwords
    // live beside the offsets, as the text writes them.
    const EntryIndex& EntryOffsets() const { return dictionary->index(); }
    const TMapTextfile& text() const { return dictionary->text(); }
};

} // namespace wordhoard
