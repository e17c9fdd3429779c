#pragma once

#include <QString>
#include <QStringList>

namespace wordhoard {

// What the viewer's command line asks for: `wordhoard [FOLDER]`, where FOLDER holds
// txt/WH-main_01.txt and img/. The options Qt reads itself (-platform NAME, -style NAME,
// -reverse, ...) are left for Qt, so they work as they always did.
//   {}                       gives folder ""  (the working directory)
//   {"/d/oe"}                gives folder "/d/oe"
//   {"-platform", "xcb", "/d/oe"}  gives folder "/d/oe"
//   {"--", "-odd-name"}      gives folder "-odd-name"
//   {"a", "b"}, {"--bogus"}  give an error
struct CommandLine {
    QString folder; // empty: the working directory
    QString error;  // a usage error: the viewer prints it with usageLine() on stderr and exits 2
};

// `arguments` without the program name.
CommandLine parseCommandLine(const QStringList& arguments);

QString usageLine();

} // namespace wordhoard
