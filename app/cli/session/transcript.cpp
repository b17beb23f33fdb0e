#include "app/cli/session/transcript.h"

namespace brondel::cli::session {

void Transcript::write(const Json& event) {
    if (!out_) {
        return;
    }
    // Texts may hold any bytes the program produced; replace what is not
    // UTF-8 rather than lose the event.
    *out_ << event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    out_->flush();
}

}  // namespace brondel::cli::session
