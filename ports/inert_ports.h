#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/launcher.h"
#include "ports/printer.h"
#include "ports/registry.h"

// Ports for a run that reaches no settings store, no other program and no
// printer (the batch conversion, benchmarks).
namespace brondel::ports {

class NoRegistry : public Registry {
  public:
    std::optional<std::string> value(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

class NoLauncher : public Launcher {
  public:
    bool start(const std::string&, const std::vector<std::string>&) override { return false; }
    bool openDocument(const std::string&) override { return false; }
};

class NoPrinter : public Printer {
  public:
    void print(const engine::Vecad&) override {}
    void preview(const engine::Vecad&) override {}
    void setup() override {}
};

}  // namespace brondel::ports
