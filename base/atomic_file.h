#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

// Files are written to a temporary file in the target's folder, flushed to
// disk and renamed over the target, so a failure at any point leaves the old
// file as it was and no half-written file behind.
namespace brondel::base {

// Runs write on a stream into the temporary file, then puts it in place.
// Fails with Error kPathFileAccess when the folder cannot take a new file and
// kFileWrite when writing, flushing or renaming fails; an exception thrown by
// write is passed on after the temporary file is removed.
// A non-empty backup names where the file being replaced is kept; it is put
// there only once the new file is complete, so the backup always holds the
// old bytes and the target is never missing. A failing backup fails the
// write (kFileWrite) and leaves the old file in place.
void writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                         const std::string& backup = {});

void writeFileAtomically(const std::string& path, std::string_view contents);

// The backup name CAD programs use: the file's name with ".bak" in place of
// its extension ("plan.dxf" -> "plan.bak").
std::string backupName(const std::string& path);

}  // namespace brondel::base
