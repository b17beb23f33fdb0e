#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

// The session's record: one JSON object a line, written as each event
// happens so a run that stops early still leaves everything up to the stop.
namespace brondel::cli::session {

using Json = nlohmann::ordered_json;

class Transcript {
  public:
    // Without a stream the events are dropped.
    explicit Transcript(std::ostream* out) : out_(out) {}
    void write(const Json& event);

  private:
    std::ostream* out_;
};

}  // namespace brondel::cli::session
