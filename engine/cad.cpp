#include "engine/cad.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/atomic_file.h"
#include "base/error.h"
#include "engine/drawing.h"
#include "engine/entity_ends.h"
#include "engine/handle_registry.h"

namespace brondel::engine {

namespace {

const Entity& entityOf(Handle h) {
    Drawing* d = handles::ownerOf(h);
    const Entity* e = d ? d->find(h) : nullptr;
    if (!e) {
        throw Error(err::kNoSuchEntity,
                    "The handle " + std::to_string(h) + " names no entity of an open drawing");
    }
    return *e;
}

Point3 pointAtAngle(const Point3& c, double r, double a) {
    return {c.x + r * std::cos(a), c.y + r * std::sin(a), c.z};
}

Point3 ellipsePoint(const EllipseGeom& g, double t) {
    const Point3 minor{-g.majorAxis.y * g.ratio, g.majorAxis.x * g.ratio, 0};
    return g.center + g.majorAxis * std::cos(t) + minor * std::sin(t);
}

Point3 vertexPoint(const Vertex& v) {
    return {v.x, v.y, v.z};
}

}  // namespace

Point3 entityEndPoint(const Entity& e, bool last) {
    if (const auto* g = geomIf<LineGeom>(e)) {
        return last ? g->p2 : g->p1;
    }
    if (const auto* g = geomIf<ArcGeom>(e)) {
        return pointAtAngle(g->center, g->radius, g->startAngle + (last ? g->angle : 0));
    }
    if (const auto* g = geomIf<CircleGeom>(e)) {
        return pointAtAngle(g->center, g->radius, 0);
    }
    if (const auto* g = geomIf<PointGeom>(e)) {
        return g->p;
    }
    if (const auto* g = geomIf<PolylineGeom>(e)) {
        if (g->vertices.empty()) {
            return {};
        }
        return vertexPoint(last && !g->closed ? g->vertices.back() : g->vertices.front());
    }
    if (const auto* g = geomIf<EllipseGeom>(e)) {
        return ellipsePoint(*g, last ? g->endParam : g->startParam);
    }
    if (const auto* g = geomIf<SplineGeom>(e)) {
        const auto& pts = g->controlPoints.empty() ? g->fitPoints : g->controlPoints;
        if (pts.empty()) {
            return {};
        }
        return last && !g->closed ? pts.back() : pts.front();
    }
    if (const auto* g = geomIf<TextGeom>(e)) {
        return g->p;
    }
    if (const auto* g = geomIf<MTextGeom>(e)) {
        return g->p;
    }
    if (const auto* g = geomIf<InsertGeom>(e)) {
        return g->p;
    }
    if (const auto* g = geomIf<InfiniteLineGeom>(e)) {
        return g->base;
    }
    if (const auto* g = geomIf<SolidGeom>(e)) {
        return last ? g->corners[3] : g->corners[0];
    }
    if (const auto* g = geomIf<DimensionGeom>(e)) {
        return g->defPoint;
    }
    if (const auto* g = geomIf<ImageGeom>(e)) {
        return g->insertion;
    }
    if (const auto* g = geomIf<LeaderGeom>(e); g && !g->vertices.empty()) {
        return last ? g->vertices.back() : g->vertices.front();
    }
    if (const auto* g = geomIf<HatchGeom>(e)) {
        for (const HatchLoop& loop : g->loops) {
            if (!loop.vertices.empty()) {
                return vertexPoint(loop.vertices.front());
            }
        }
    }
    return {};
}

namespace {

ArcGeom arcOf(Handle h) {
    const Entity& e = entityOf(h);
    if (const auto* g = geomIf<ArcGeom>(e)) {
        return *g;
    }
    if (const auto* g = geomIf<CircleGeom>(e)) {
        return {g->center, g->radius, 0, kTwoPi};
    }
    throw Error(err::kWrongEntityKind, "The entity is not an arc or a circle");
}

struct Settings {
    int crossSize = 100;
    std::string colors = "white";
    std::map<int, double> params;
    bool magnifier = false;
    bool keepBackup = true;
    int autosaveMinutes = 10;
    int pickAperture = 5;
    int snapAperture = 5;
    int background = 0x202020;
    int cursorSize = 100;
    std::string profileName = "Brondel";
    std::string profileFolder;
    std::vector<BoxRequest> boxes;
    int commandWindows = 0;
};

Settings& settings() {
    static Settings s;
    return s;
}

std::filesystem::path profileFolder() {
    const Settings& s = settings();
    if (!s.profileFolder.empty()) {
        return s.profileFolder;
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        return std::filesystem::path(xdg) / "brondel" / "profiles";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config" / "brondel" / "profiles";
}

// Profile names become file names: keep letters, digits, blanks, - and _.
std::filesystem::path profilePath(const std::string& name) {
    std::string safe;
    for (unsigned char c : name) {
        safe += std::isalnum(c) || c == ' ' || c == '-' || c == '_' ? char(c) : '_';
    }
    return profileFolder() / ((safe.empty() ? std::string("default") : safe) + ".profile");
}

}  // namespace

int CadEntityGetType(Handle h) {
    return code(entityOf(h).type());
}

void CadLineGetPoint1(Handle h, double& x, double& y, double& z) {
    const Point3 p = entityEndPoint(entityOf(h), false);
    x = p.x;
    y = p.y;
    z = p.z;
}

void CadLineGetPoint2(Handle h, double& x, double& y, double& z) {
    const Point3 p = entityEndPoint(entityOf(h), true);
    x = p.x;
    y = p.y;
    z = p.z;
}

void CadArcGetCenter(Handle h, double& x, double& y, double& z) {
    const ArcGeom a = arcOf(h);
    x = a.center.x;
    y = a.center.y;
    z = a.center.z;
}

double CadArcGetRadius(Handle h) {
    return arcOf(h).radius;
}
double CadArcGetStartAngle(Handle h) {
    return arcOf(h).startAngle;
}
double CadArcGetAngle(Handle h) {
    return arcOf(h).angle;
}

void CadSetCrossSize(int pixels) {
    settings().crossSize = pixels;
}
int CadGetCrossSize() {
    return settings().crossSize;
}
void CadLoadColors(const std::string& name) {
    settings().colors = name;
}
std::string CadGetColorsName() {
    return settings().colors;
}
void CadSetParam(int number, double value) {
    settings().params[number] = value;
}
double CadGetParam(int number) {
    const auto& p = settings().params;
    auto it = p.find(number);
    return it == p.end() ? 0 : it->second;
}
int CadMagGetShow() {
    return settings().magnifier ? 1 : 0;
}
void CadMagPutShow(bool show) {
    settings().magnifier = show;
}

bool CadGetKeepBackup() {
    return settings().keepBackup;
}
void CadPutKeepBackup(bool keep) {
    settings().keepBackup = keep;
}

int CadGetAutosaveMinutes() {
    return settings().autosaveMinutes;
}
void CadPutAutosaveMinutes(int minutes) {
    settings().autosaveMinutes = std::max(0, minutes);
}

int CadGetPickAperture() {
    return settings().pickAperture;
}
void CadPutPickAperture(int pixels) {
    settings().pickAperture = std::clamp(pixels, kMinAperture, kMaxAperture);
}
int CadGetSnapAperture() {
    return settings().snapAperture;
}
void CadPutSnapAperture(int pixels) {
    settings().snapAperture = std::clamp(pixels, kMinAperture, kMaxAperture);
}

int CadGetBackground() {
    return settings().background;
}
void CadPutBackground(int rgb) {
    settings().background = rgb & 0xffffff;
}
int CadGetCursorSize() {
    return settings().cursorSize;
}
void CadPutCursorSize(int pixels) {
    settings().cursorSize = std::clamp(pixels, kMinCursorSize, kMaxCursorSize);
}
int CadGetCrosshairLength() {
    return settings().cursorSize * settings().crossSize / 100;
}

void CadSetProfileFolder(const std::string& folder) {
    settings().profileFolder = folder;
}

std::string CadGetProfileFolder() {
    return profileFolder().string();
}

void CadProfileLoad(const std::string& name) {
    Settings& s = settings();
    s.profileName = name;
    std::ifstream in(profilePath(name));
    std::string key;
    while (in >> key) {
        if (key == "crossSize") {
            in >> s.crossSize;
        } else if (key == "colors") {
            in >> s.colors;
        } else if (key == "magnifier") {
            in >> s.magnifier;
        } else if (key == "backup") {
            in >> s.keepBackup;
        } else if (key == "autosave") {
            int minutes = 0;
            if (in >> minutes) {
                s.autosaveMinutes = std::max(0, minutes);
            }
        } else if (key == "pickAperture" || key == "snapAperture") {
            int pixels = 0;
            if (in >> pixels) {
                (key == "pickAperture" ? CadPutPickAperture : CadPutSnapAperture)(pixels);
            }
        } else if (key == "background" || key == "cursorSize") {
            int value = 0;
            if (in >> value) {
                (key == "background" ? CadPutBackground : CadPutCursorSize)(value);
            }
        } else if (key == "param") {
            int number = 0;
            double value = 0;
            if (in >> number >> value) {
                s.params[number] = value;
            }
        } else {
            std::getline(in, key);
        }
    }
}

void CadProfileSave(const std::string& name) {
    const std::string trimmed = name.substr(0, name.find('\0'));
    const Settings& s = settings();
    const std::filesystem::path path = profilePath(trimmed);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ostringstream out;
    out << "crossSize " << s.crossSize << "\ncolors " << s.colors << "\nmagnifier " << s.magnifier
        << "\nbackup " << s.keepBackup << "\nautosave " << s.autosaveMinutes << "\n";
    out << "pickAperture " << s.pickAperture << "\nsnapAperture " << s.snapAperture << "\n";
    out << "background " << s.background << "\ncursorSize " << s.cursorSize << "\n";
    for (const auto& [number, value] : s.params) {
        out << "param " << number << ' ' << value << "\n";
    }
    try {
        base::writeFileAtomically(path.string(), out.str());
    } catch (const Error&) {
        throw Error(err::kFileWrite, "The profile could not be written to " + path.string());
    }
}

void CadProfileGetName(char* buffer, std::size_t size) {
    if (size == 0) {
        return;
    }
    const std::string& name = settings().profileName;
    const std::size_t n = std::min(name.size(), size - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
}

std::string CadProfileGetName() {
    return settings().profileName;
}

void CadCboxCreate(int kind, std::intptr_t parent, int left, int top, int width, int height,
                   int value) {
    settings().boxes.push_back({kind, parent, left, top, width, height, value});
}

const std::vector<BoxRequest>& CadCboxRequests() {
    return settings().boxes;
}

void CadCWCreate(std::intptr_t, int, int, int, int) {
    ++settings().commandWindows;
}

int CadCWCount() {
    return settings().commandWindows;
}

}  // namespace brondel::engine
