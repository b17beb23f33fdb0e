#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/entity.h"

// The engine's flat functions: they take a handle and find the drawing that
// owns it, or act on the engine's process-wide settings.
namespace brondel::engine {

int CadEntityGetType(Handle h);

// First and last point of any kind: a line's ends, an arc's start and end,
// a polyline's first and last vertex (a closed one ends where it starts),
// an ellipse's start and end; a circle (its point at angle 0), a point, a
// text or a block reference answer the same point twice.
void CadLineGetPoint1(Handle h, double& x, double& y, double& z);
void CadLineGetPoint2(Handle h, double& x, double& y, double& z);

// Arcs; a circle answers as the arc from angle 0 through 2 pi.
void CadArcGetCenter(Handle h, double& x, double& y, double& z);
double CadArcGetRadius(Handle h);
double CadArcGetStartAngle(Handle h);
double CadArcGetAngle(Handle h);  // signed included angle, radians

// Settings.
void CadSetCrossSize(int pixels);
int CadGetCrossSize();
void CadLoadColors(const std::string& name);
std::string CadGetColorsName();
void CadSetParam(int number, double value);
double CadGetParam(int number);
int CadMagGetShow();
void CadMagPutShow(bool show);
// Whether a drawing save keeps the file it replaces as NAME.bak (on at first).
bool CadGetKeepBackup();
void CadPutKeepBackup(bool keep);
// Minutes between autosaves of changed drawings, 0 = never (10 at first).
int CadGetAutosaveMinutes();
void CadPutAutosaveMinutes(int minutes);
// Apertures in pixels, from kMinAperture to kMaxAperture (5 at first; a
// value out of range is brought into it): how near the cursor an entity is
// picked, and how near it an object snap finds its point.
inline constexpr int kMinAperture = 1;
inline constexpr int kMaxAperture = 50;
int CadGetPickAperture();
void CadPutPickAperture(int pixels);
int CadGetSnapAperture();
void CadPutSnapAperture(int pixels);
// The drawing area's ground as 0xRRGGBB (0x202020 at first).
int CadGetBackground();
void CadPutBackground(int rgb);
// The crosshair's length in pixels when the cross size is 100, from
// kMinCursorSize to kMaxCursorSize (100 at first); the crosshair drawn is
// scaled by the cross size the path tools set (smaller while they wait).
inline constexpr int kMinCursorSize = 10;
inline constexpr int kMaxCursorSize = 2000;
int CadGetCursorSize();
void CadPutCursorSize(int pixels);
int CadGetCrosshairLength();

// Profiles: named sets of the settings above, stored as text files in the
// user's configuration folder (brondel/profiles under $XDG_CONFIG_HOME or
// ~/.config). Loading a profile that does not exist keeps the current
// settings under the new name.
void CadProfileLoad(const std::string& name);
void CadProfileSave(const std::string& name);
// Fills the buffer with the current profile name, NUL-terminated.
void CadProfileGetName(char* buffer, std::size_t size);
std::string CadProfileGetName();
void CadSetProfileFolder(const std::string& folder);  // tests and portable installs
std::string CadGetProfileFolder();

// Selector boxes and the command window: the engine remembers where the
// program asked for them; a desktop skin builds them there.
struct BoxRequest {
    int kind;
    std::intptr_t parent;
    int left, top, width, height, value;
};
void CadCboxCreate(int kind, std::intptr_t parent, int left, int top, int width, int height,
                   int value);
const std::vector<BoxRequest>& CadCboxRequests();
void CadCWCreate(std::intptr_t parent, int left, int top, int width, int height);
int CadCWCount();

}  // namespace brondel::engine
