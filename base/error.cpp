#include "base/error.h"

namespace brondel {

std::string describeError(int number) {
    switch (number) {
        case err::kInvalidCall:
            return "Invalid procedure call or argument";
        case err::kOverflow:
            return "Overflow";
        case err::kSubscriptOutOfRange:
            return "Subscript out of range";
        case err::kTypeMismatch:
            return "Type mismatch";
        case err::kFileNotFound:
            return "File not found";
        case err::kInputPastEnd:
            return "Input past end of file";
        case err::kPathFileAccess:
            return "Path/File access error";
        case err::kCancelled:
            return "Cancel was selected.";
        case err::kNoSuchEntity:
            return "The handle names no entity of an open drawing";
        case err::kEntityErased:
            return "The entity has been erased";
        case err::kWrongEntityKind:
            return "The entity is not of a kind this operation applies to";
        case err::kNoSuchLayer:
            return "No layer of that name";
        case err::kNoSuchBlock:
            return "No block of that name";
        case err::kBadArgument:
            return "Invalid argument";
        case err::kNotDxf:
            return "The file is not a DXF file";
        case err::kDxfTruncated:
            return "The DXF file is cut short";
        case err::kDxfBadGroupCode:
            return "Bad group code in the DXF file";
        case err::kDxfBadValue:
            return "Bad value in the DXF file";
        case err::kDwgNotSupported:
            return "DWG files cannot be read; save the drawing as DXF and open that file";
        case err::kUnknownFormat:
            return "Unknown drawing file format";
        case err::kFileRead:
            return "The file could not be read";
        case err::kFileWrite:
            return "The file could not be written";
        case err::kNotFinite:
            return "The drawing holds a coordinate that is not a number (NaN or infinite); "
                   "nothing was written";
        case err::kNotVec:
            return "The file is not a VEC file";
        case err::kVecCorrupt:
            return "The VEC file is damaged";
        case err::kVecVersion:
            return "The VEC file was written by a newer version";
        case err::kNothingToUndo:
            return "Nothing to undo";
        case err::kNothingToRedo:
            return "Nothing to redo";
        default:
            return "Application-defined or object-defined error";
    }
}

Error::Error(int number) : Error(number, describeError(number)) {}

Error::Error(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

}  // namespace brondel
