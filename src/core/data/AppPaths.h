#pragma once

#include <QString>

// The program folder (where pel.dll, alert.mp3 and my.htm lie) and the working
// folder (BaseString.txt, close.bat). Both can be redirected, for tests.
class AppPaths {
public:
    static QString programFolder();
    static QString workingFolder();

    // A path inside the program folder.
    static QString programFile(const QString& fileName);
    static QString workingFile(const QString& fileName);

    static void setProgramFolder(const QString& folder);
    static void setWorkingFolder(const QString& folder);
};
