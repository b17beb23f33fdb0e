#include "convert_command.h"

#include "coordfiles/file_conversion.h"

namespace brondel::cli {

int runConvertSequential(const std::string& inPath, const std::string& datPath, std::ostream& out,
                         std::ostream& err) {
    const coordfiles::FileConversion result = coordfiles::convertSequentialFile(inPath, datPath);
    if (!result.done) {
        err << result.message << '\n';
        return 1;
    }
    out << "Entities: " << result.entities << '\n'
        << "Lines read: " << result.lines << '\n'
        << "Steps written: " << result.steps << " to " << datPath << '\n';
    return 0;
}

}  // namespace brondel::cli
