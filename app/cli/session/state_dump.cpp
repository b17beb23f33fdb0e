#include "app/cli/session/state_dump.h"

#include "engine/cad.h"

namespace brondel::cli::session {

namespace {

Json point(const engine::Point3& p) {
    return Json::array({p.x, p.y, p.z});
}

void addGeometry(Json& j, const engine::Entity& e) {
    using namespace engine;
    if (const auto* line = geomIf<LineGeom>(e)) {
        j["p1"] = point(line->p1);
        j["p2"] = point(line->p2);
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        j["center"] = point(arc->center);
        j["radius"] = arc->radius;
        j["startAngle"] = arc->startAngle;
        j["angle"] = arc->angle;
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        j["center"] = point(circle->center);
        j["radius"] = circle->radius;
    } else if (const auto* pointGeom = geomIf<PointGeom>(e)) {
        j["p"] = point(pointGeom->p);
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        j["text"] = text->text;
        j["p"] = point(text->p);
        j["height"] = text->height;
        j["angle"] = text->angle;
    } else if (const auto* poly = geomIf<PolylineGeom>(e)) {
        Json vertices = Json::array();
        for (const Vertex& v : poly->vertices) {
            vertices.push_back({v.x, v.y, v.z, v.bulge});
        }
        j["vertices"] = std::move(vertices);
        j["closed"] = poly->closed;
    }
}

Json controlJson(const engine::Vecad& control) {
    Json entities = Json::array();
    for (auto h = control.GetFirstEntity(); h != engine::kNoHandle; h = control.GetNextEntity(h)) {
        entities.push_back(entityJson(control.drawing().entity(h)));
    }
    return {{"visible", control.visible}, {"entities", std::move(entities)}};
}

Json listJson(const documents::ListBox& list) {
    return {{"visible", list.visible}, {"rows", list.rows}};
}

Json menusJson(const shell::MenuModel& menus) {
    Json j = Json::object();
    for (const shell::MenuItem* item : menus.namedItems()) {
        j[item->name()] = {{"caption", item->caption()},
                           {"enabled", item->enabled()},
                           {"visible", item->visible()},
                           {"checked", item->checked()},
                           {"shortcut", item->shortcut()}};
    }
    return j;
}

Json toolbarsJson(const shell::ToolbarModel& toolbars) {
    Json j = Json::object();
    for (const shell::Toolbar& bar : toolbars.toolbars()) {
        Json buttons = Json::array();
        for (const shell::ToolbarButton& b : bar.buttons()) {
            buttons.push_back({{"pos", b.position()},
                               {"key", b.key()},
                               {"tooltip", b.tooltip()},
                               {"enabled", b.enabled()},
                               {"visible", b.visible()}});
        }
        j[bar.name()] = {{"visible", bar.visible()}, {"buttons", std::move(buttons)}};
    }
    return j;
}

Json modalJson(const shell::ModalWindow* modal) {
    if (!modal) {
        return nullptr;
    }
    Json controls = Json::object();
    for (const auto& [name, control] : modal->controls) {
        controls[name] = {{"text", control.text}, {"visible", control.visible}};
    }
    return {{"name", modal->name}, {"caption", modal->caption}, {"controls", std::move(controls)}};
}

Json windowJson(documents::DrawingWindow& w, int index) {
    w.settlePreview();
    return {{"index", index},
            {"fileName", w.Vecad1.GetFileName()},
            {"changed", w.Vecad1.HasChanged()},
            {"view", w.view == documents::ListView::Dat ? "dat" : "coordinate"},
            {"frameVisible", w.Frame1.visible},
            {"frameCaption", w.Frame1.caption},
            {"commandWindowVisible", w.commandWindowVisible},
            {"Vecad1", controlJson(w.Vecad1)},
            {"Vecad2", controlJson(w.Vecad2)},
            {"CList", listJson(w.CList)},
            {"DList", listJson(w.DList)}};
}

}  // namespace

Json entityJson(const engine::Entity& e) {
    const engine::EntityType type = e.type();
    Json j = {{"handle", e.handle},
              {"type", engine::code(type)},
              {"kind", engine::typeName(type)},
              {"layer", e.props().layer},
              {"color", e.props().color.aci}};
    addGeometry(j, e);
    return j;
}

Json dumpState(shell::MainWindow& main) {
    const shell::PickModes& modes = main.state.pickModes;
    Json windows = Json::array();
    Json active = nullptr;
    int index = 0;
    for (const auto& w : main.windows()) {
        ++index;
        if (w.get() == main.active()) {
            active = index;
        }
        windows.push_back(windowJson(*w, index));
    }
    return {{"openWindowCount", main.openWindowCount},
            {"searchRadius", main.searchRadius},
            {"crossSize", engine::CadGetCrossSize()},
            {"mousePointer", main.mousePointer == shell::MousePointer::Busy ? "busy" : "default"},
            {"pickModes",
             {{"startPoint", modes.startPoint},
              {"explodeLine", modes.explodeLine},
              {"explodeArc", modes.explodeArc},
              {"polarArray", modes.polarArray},
              {"verticalArray", modes.verticalArray},
              {"horizontalArray", modes.horizontalArray}}},
            {"startEntity", main.state.startEntity},
            {"startMarker", main.state.startMarker},
            {"generationFailed", main.state.generationFailed},
            {"profileName", main.profileName},
            {"status", Json::array({main.statusMain.panels[0], main.statusMain.panels[1],
                                    main.statusMain.panels[2]})},
            {"menus", menusJson(main.menus)},
            {"toolbars", toolbarsJson(main.toolbars)},
            {"activeWindow", std::move(active)},
            {"modal", modalJson(main.modal.get())},
            {"windows", std::move(windows)}};
}

}  // namespace brondel::cli::session
