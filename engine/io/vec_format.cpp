#include <fstream>
#include <sstream>

#include "engine/error.h"
#include "engine/io/atomic_file.h"
#include "engine/io/drawing_files.h"
#include "engine/io/vec_format.h"

namespace brondel::engine::io {

DrawingContent readVecBuffer(std::string_view data) {
    return vec::decode(data);
}

DrawingContent readVec(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Error(err::kFileNotFound, describeError(err::kFileNotFound) + ": " + path);
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    std::string data;
    if (size > 0) {
        data.resize(static_cast<std::size_t>(size));
        in.read(data.data(), size);
    }
    if (size < 0 || !in) {
        throw Error(err::kFileRead, describeError(err::kFileRead) + ": " + path);
    }
    return vec::decode(data);
}

void writeVec(const Drawing& drawing, const std::string& path) {
    const DrawingContent tables = drawing.tables();
    writeFileAtomically(path,
                        [&](std::ostream& out) { vec::encode(tables, drawing.entities(), out); });
}

}  // namespace brondel::engine::io
