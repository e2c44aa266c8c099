#pragma once

#include <QString>

// The full path of the running program file, symbolic links resolved.
QString programFilePath();

// Tests stand in another program path (an empty one restores the real).
void overrideProgramFilePath(const QString& path);

// The program's folder: its path cut after the last separator, the separator kept.
QString programFolder();

// The process's current directory, also when it has been removed since it was made current
// (the system then still knows its former path).
QString currentDirectory();

// A path made absolute against the current directory.
QString absolutePath(const QString& path);

// The folder part of a path, cut after its last "/", which stays.
QString folderOf(const QString& path);

// Makes folder the process's current directory; throws IoError when the system refuses.
void setCurrentFolder(const QString& folder);
