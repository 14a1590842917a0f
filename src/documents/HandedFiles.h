#pragma once

#include <QString>

// Documents handed to the user's office program or viewer. Each hand-over
// gets a read-only copy of its own in a folder of its own, so that a later
// document written under the same fixed name never changes what a window
// already shows, saving asks where instead of writing into the temporary
// folder, and no lock file of one window stands in the way of the next.

// The folder of the copies, inside the temporary folder (which ends in a
// separator).
QString HandedFolder(const QString& tempPath);

// Copies file into the folder under a name no earlier copy has and makes it
// read-only. Empty when it cannot be done.
QString HandOverCopy(const QString& tempPath, const QString& file);

// The copies live until the next start, not just until this one ends: an
// office window opened a moment before the program closed may still be
// reading its copy then. The next start removes them with their lock files.
void RemoveHandedCopies(const QString& tempPath);
