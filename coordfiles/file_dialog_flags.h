#pragma once

// Flags of the common file dialog, as its set-up passes them.
namespace brondel::coordfiles::dialog_flags {

inline constexpr int kOverwritePrompt = 0x2;   // ask before replacing an existing file
inline constexpr int kFileMustExist = 0x1000;  // only names of existing files are accepted

}  // namespace brondel::coordfiles::dialog_flags
