#include "coordfiles/dat_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "base/numbers.h"
#include "coordfiles/pair_layout.h"
#include "coordfiles/rows.h"

namespace brondel::coordfiles {

namespace {

// Walks the lines of a text, whatever its line ends.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) {
            return false;
        }
        const auto end = std::min(text_.find_first_of("\r\n", pos_), text_.size());
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n') {
            ++pos_;
        }
        ++lineNumber_;
        return true;
    }

    std::size_t lineNumber() const { return lineNumber_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lineNumber_ = 0;
};

bool isFieldSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\v' || c == '\f';
}

// Walks the fields of one line.
class FieldCursor {
  public:
    explicit FieldCursor(std::string_view line) : line_(line) {}

    bool next(std::string_view& field) {
        while (pos_ < line_.size() && isFieldSeparator(line_[pos_])) {
            ++pos_;
        }
        if (pos_ == line_.size()) {
            return false;
        }
        const std::size_t start = pos_;
        while (pos_ < line_.size() && !isFieldSeparator(line_[pos_])) {
            ++pos_;
        }
        field = line_.substr(start, pos_ - start);
        return true;
    }

  private:
    std::string_view line_;
    std::size_t pos_ = 0;
};

enum class FieldKind { Number, Placeholder, Text };

bool isWholeNumber(std::string_view text) {
    return !text.empty() && base::numberLength(text) == text.size();
}

// Tables copied from printed reports put derived values in parentheses and
// mark missing ones with a run of dots.
FieldKind classify(std::string_view& field) {
    if (isWholeNumber(field)) {
        return FieldKind::Number;
    }
    if (field.size() > 2 && field.front() == '(' && field.back() == ')' &&
        isWholeNumber(field.substr(1, field.size() - 2))) {
        field = field.substr(1, field.size() - 2);
        return FieldKind::Number;
    }
    if (field.size() >= 2 && field.find_first_not_of('.') == std::string_view::npos) {
        return FieldKind::Placeholder;
    }
    return FieldKind::Text;
}

struct LineShape {
    std::size_t fields = 0;
    std::size_t leadingNumbers = 0;
};

LineShape shapeOf(std::string_view line) {
    LineShape shape;
    FieldCursor fields(line);
    std::string_view field;
    bool numbersSoFar = true;
    while (fields.next(field)) {
        ++shape.fields;
        numbersSoFar = numbersSoFar && classify(field) == FieldKind::Number;
        if (numbersSoFar) {
            ++shape.leadingNumbers;
        }
    }
    return shape;
}

bool isLoneNumber(const LineShape& shape) {
    return shape.fields == 1 && shape.leadingNumbers == 1;
}

// A lone number opens the data only in a file of one number per line;
// otherwise it is a name such as "4412".
bool startsData(const LineShape& shape, LineCursor lookahead) {
    if (shape.leadingNumbers >= 2) {
        return true;
    }
    if (!isLoneNumber(shape)) {
        return false;
    }
    std::string_view line;
    while (lookahead.next(line)) {
        const LineShape next = shapeOf(line);
        if (next.fields != 0) {
            return isLoneNumber(next);
        }
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\v\f");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\v\f") - first + 1);
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// Names from older tools are in an 8-bit code page; Latin-1 covers the
// letters they use and anything else shows as a replacement character.
std::string nameText(std::string_view raw) {
    if (isValidUtf8(raw)) {
        return std::string(raw);
    }
    std::string name;
    for (char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            name += c;
        } else if (byte < 0xA0) {
            name += "\xEF\xBF\xBD";
        } else {
            name += static_cast<char>(0xC0 | (byte >> 6));
            name += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return name;
}

struct Values {
    std::vector<float> numbers;
    std::vector<std::size_t> blankLineBreaks;  // number counts where blank lines fell
    std::size_t firstLineNumbers = 0;
    std::size_t lastLine = 0;  // line of the last number read
};

float fileNumber(std::string_view field, std::size_t line) {
    try {
        return base::singleNumberValue(field);
    } catch (const Error& e) {
        throw Error(e.number(), e.description() + ": the number on line " + std::to_string(line) +
                                    " is too large");
    }
}

Values readValues(LineCursor lines, std::size_t byteCount) {
    Values values;
    values.numbers.reserve(byteCount / 6);  // two numbers in a typical line of 12 bytes
    std::string_view line;
    bool firstLine = true;
    while (lines.next(line)) {
        const std::size_t lineStart = values.numbers.size();
        bool placeholder = false;
        bool endOfData = false;
        FieldCursor fields(line);
        std::string_view field;
        std::size_t fieldCount = 0;
        while (!endOfData && fields.next(field)) {
            ++fieldCount;
            switch (classify(field)) {
                case FieldKind::Number:
                    values.numbers.push_back(fileNumber(field, lines.lineNumber()));
                    values.lastLine = lines.lineNumber();
                    break;
                case FieldKind::Placeholder:
                    placeholder = true;
                    break;
                case FieldKind::Text:
                    endOfData = true;
                    break;
            }
        }
        if (placeholder) {
            values.numbers.resize(lineStart);  // a point with a missing value
        }
        if (fieldCount == 0 && !values.numbers.empty() &&
            (values.blankLineBreaks.empty() ||
             values.blankLineBreaks.back() != values.numbers.size())) {
            values.blankLineBreaks.push_back(values.numbers.size());
        }
        if (firstLine && values.numbers.size() > lineStart) {
            values.firstLineNumbers = values.numbers.size() - lineStart;
            firstLine = false;
        }
        if (endOfData) {
            break;
        }
    }
    return values;
}

// Blank lines that fall between two pairs, as pair indexes inside the data.
std::vector<std::size_t> pairBreaks(const Values& values) {
    std::vector<std::size_t> breaks;
    for (std::size_t b : values.blankLineBreaks) {
        if (b % 2 == 0 && b < values.numbers.size()) {
            breaks.push_back(b / 2);
        }
    }
    return breaks;
}

PairFile arrange(const Values& values, std::string name) {
    std::vector<PairPoint> pairs(values.numbers.size() / 2);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        pairs[i] = {values.numbers[2 * i], values.numbers[2 * i + 1]};
    }
    PairFile file = arrangeSurfaces(std::move(pairs), values.firstLineNumbers, pairBreaks(values));
    file.name = std::move(name);
    return file;
}

}  // namespace

PairFile parsePairFile(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    LineCursor lines(bytes);
    LineCursor dataStart = lines;
    std::string name;
    bool anyText = false;
    std::string_view line;
    for (;;) {
        dataStart = lines;
        if (!lines.next(line)) {
            break;
        }
        const LineShape shape = shapeOf(line);
        if (shape.fields == 0) {
            continue;
        }
        if (startsData(shape, lines)) {
            break;
        }
        if (!anyText) {
            name = nameText(trimmed(line));
            anyText = true;
        }
    }
    const Values values = readValues(dataStart, bytes.size());
    if (values.numbers.empty()) {
        if (anyText) {
            throw Error(err::kTypeMismatch,
                        describeError(err::kTypeMismatch) + ": the file holds no X/Y pairs");
        }
        throw Error(err::kInputPastEnd,
                    describeError(err::kInputPastEnd) + ": the file holds no X/Y pairs");
    }
    if (values.numbers.size() % 2 != 0) {
        throw Error(err::kInputPastEnd, describeError(err::kInputPastEnd) +
                                            ": the last x value (line " +
                                            std::to_string(values.lastLine) + ") has no y value");
    }
    return arrange(values, std::move(name));
}

PairFile readPairFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        throw Error(err::kFileNotFound, describeError(err::kFileNotFound) + ": " + path);
    }
    std::ifstream in(path, std::ios::binary);
    const auto size = std::filesystem::is_regular_file(status)
                          ? std::filesystem::file_size(path, ec)
                          : static_cast<std::uintmax_t>(-1);
    if (!in || ec || size == static_cast<std::uintmax_t>(-1)) {
        throw Error(err::kPathFileAccess, describeError(err::kPathFileAccess) + ": " + path);
    }
    std::string bytes(size, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        throw Error(err::kPathFileAccess, describeError(err::kPathFileAccess) + ": " + path);
    }
    return parsePairFile(bytes);
}

std::vector<std::string> importedDatRows(std::span<const PairPoint> pairs) {
    std::vector<std::string> rows;
    rows.reserve(pairs.size());
    for (const PairPoint& p : pairs) {
        rows.push_back(datRow(p.x, p.y));
    }
    return rows;
}

}  // namespace brondel::coordfiles
