#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

// Files are written to a temporary file in the target's folder, flushed to
// disk and renamed over the target, so a failure at any point leaves the old
// file as it was and no half-written file behind.
namespace brondel::engine::io {

// Runs write on a stream into the temporary file, then puts it in place.
// Fails with Error kPathFileAccess when the folder cannot take a new file and
// kFileWrite when writing, flushing or renaming fails; an exception thrown by
// write is passed on after the temporary file is removed.
void writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write);

void writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace brondel::engine::io
