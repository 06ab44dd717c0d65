#pragma once

#include <QString>

namespace tavorin {

// File names are found whatever their capitals, as Wine finds them (setup/CaseFold.h).

// Copies source over destination. The bytes go to a temporary file beside the destination and
// reach the disk before that file is renamed over it, so the destination is always either the old
// file or the whole new one, after a power cut too, and a failed copy leaves no temporary file
// behind. Throws RuntimeError naming step on failure.
void CopyFileReplacing(const QString& source, const QString& destination, const QString& step);

// Deletes a file; a missing one is an error (53), as it is for the rest of the program.
void RemoveFile(const QString& file, const QString& step);

// Makes folder the current folder; a missing one is error 76.
void ChangeFolder(const QString& folder, const QString& step);

} // namespace tavorin
