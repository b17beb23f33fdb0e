#pragma once

#include <dxflib/dl_writer_ascii.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string>

#include "base/error.h"

namespace brondel::engine::io {

// dxflib's writer only opens files by name; this one sends the same groups
// to our stream (so the file is written atomically) and writes numbers in
// their shortest exact form. A NaN or infinite number stops the write: a
// file holding "nan" is one no program reads back.
class DxfGroupWriter : public DL_WriterA {
  public:
    DxfGroupWriter(std::ostream& out, DL_Codes::version dxfVersion)
        : DL_WriterA("", dxfVersion), out_(out) {}

    void dxfReal(int gc, double value) const override {
        if (!std::isfinite(value)) {
            throw Error(err::kNotFinite);
        }
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        groupCode(gc);
        out_.write(text, end - text);
        out_.put('\n');
    }
    void dxfInt(int gc, int value) const override {
        char text[16];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        groupCode(gc);
        out_.write(text, end - text);
        out_.put('\n');
    }
    void dxfHex(int gc, int value) const override {
        char text[16];
        const auto end =
            std::to_chars(text, text + sizeof text, static_cast<unsigned>(value), 16).ptr;
        for (char* c = text; c != end; ++c) {
            *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
        }
        groupCode(gc);
        out_.write(text, end - text);
        out_.put('\n');
    }
    void dxfString(int gc, const char* value) const override {
        groupCode(gc);
        out_ << value << '\n';
    }
    void dxfString(int gc, const std::string& value) const override {
        groupCode(gc);
        out_ << value << '\n';
    }

  private:
    void groupCode(int gc) const {
        char text[16];
        const auto end = std::to_chars(text, text + sizeof text, gc).ptr;
        for (auto width = end - text; width < 3; ++width) {
            out_.put(' ');
        }
        out_.write(text, end - text);
        out_.put('\n');
    }

    std::ostream& out_;
};

}  // namespace brondel::engine::io
