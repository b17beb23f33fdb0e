#pragma once

#include <optional>
#include <string>

// Reading the system's settings store (the About box asks it where the
// system-information program is).
namespace brondel::ports {

class Registry {
  public:
    virtual ~Registry() = default;
    // The value under key / name, or nothing when the key or value is absent.
    virtual std::optional<std::string> value(const std::string& key, const std::string& name) = 0;
};

}  // namespace brondel::ports
