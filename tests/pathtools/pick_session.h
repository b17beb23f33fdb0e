#pragma once

#include <vector>

#include "engine/cad.h"
#include "engine/entity.h"
#include "tests/support/fake_ports.h"

namespace brondel::testing {

// A started program with one new drawing window, pressed at drawing points.
struct PickSession : TestProgram {
    PickSession() {
        main.click("mnuFileNew");
        engine::CadSetCrossSize(100);
    }
    engine::Vecad& vecad() { return active().Vecad1; }
    shell::PickModes& modes() { return main.state.pickModes; }
    const std::string& prompt() const { return main.statusMain.panels[2]; }

    void pressAt(double x, double y) {
        const engine::Point2 at = vecad().view().toWindow(x, y);
        active().buttonPressed(at.x, at.y);
    }

    const engine::Entity& entity(engine::Handle h) { return vecad().drawing().entity(h); }
    engine::LineGeom line(engine::Handle h) { return *engine::geomIf<engine::LineGeom>(entity(h)); }

    // The live lines in drawing order.
    std::vector<engine::LineGeom> lines() {
        std::vector<engine::LineGeom> found;
        for (engine::Handle h = vecad().GetFirstEntity(); h != engine::kNoHandle;
             h = vecad().GetNextEntity(h)) {
            if (const auto* g = engine::geomIf<engine::LineGeom>(entity(h))) {
                found.push_back(*g);
            }
        }
        return found;
    }
    int messageCount() const { return static_cast<int>(fakes.dialogs.messages().size()); }
    std::string lastMessage() const {
        const auto messages = fakes.dialogs.messages();
        return messages.empty() ? std::string() : messages.back().text;
    }
};

}  // namespace brondel::testing
