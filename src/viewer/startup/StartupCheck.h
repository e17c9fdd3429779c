// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace wordhoard {

class TMainForm;

// `wordhoard --check`: the viewer starts as usual and, once the main window has shown, prints
// what it opened on stdout and quits, so that a script can tell an installed viewer found its
// dictionary without looking at the screen:
//   dictionary: /usr/share/wordhoard/txt/WH-main_01.txt
//   headwords: 412
//   documentation: /usr/share/doc/wordhoard/index.html
//   settings: /home/reader/.config/wordhoard/wordhoard.conf
// It reads the settings as a start does, and writes nothing.
// A message the error box would show goes to stderr instead ("wordhoard: ..."), and the exit
// status is then 1. Call with the main window shown, before the event loop.
void checkOnceShown(TMainForm& form);

} // namespace wordhoard
