#pragma once
// Stored paths are Windows-style (c:\tirra\in1) because the tables are shared with
// programs on other machines. This maps them onto the local file system.
#include <QString>

namespace tirra {

// Maps a stored path to a local one:
//  - a drive "X:" becomes the folder named by TIRRA_DRIVE_X (drive C defaults to the
//    home folder, other drives to ~/drive_x);
//  - backslashes become slashes;
//  - each component is matched without regard to case against what exists, so
//    c:\TIRRA\tmpSound and c:\tirra\tmpsound are one folder; missing components keep
//    the spelling given.
// A POSIX absolute path is used as it is; a relative one is taken from the current folder.
QString localPath(const QString& stored);

// The folder a drive letter stands for (see above).
QString driveRoot(QChar letter);

// True when the stored path names an existing folder / file.
bool folderExists(const QString& stored);
bool fileExists(const QString& stored);

// Creates the folder with all missing parents; false when that fails.
bool makeFolders(const QString& stored);

}  // namespace tirra
