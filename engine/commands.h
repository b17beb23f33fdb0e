#pragma once

#include <string>
#include <string_view>

// The engine's command codes that the control itself carries out; the
// names of all codes the menus forward are in commands.cpp.
namespace brondel::engine {

namespace command {
constexpr int kZoomExtents = 102;
constexpr int kZoomIn = 103;
constexpr int kZoomOut = 104;
constexpr int kZoomPrevious = 105;
constexpr int kZoomWindow = 106;
constexpr int kZoomRealtime = 107;
constexpr int kZoomSelected = 108;
constexpr int kPanRealtime = 111;
constexpr int kPanToPoint = 112;
constexpr int kDrawPoint = 201;
constexpr int kDrawLine = 205;
constexpr int kUndo = 301;
constexpr int kRedo = 302;
constexpr int kProperties = 306;
constexpr int kErase = 311;
constexpr int kClearSnapModes = 410;
constexpr int kToggleSnap = 423;
constexpr int kSelectByPoint = 501;
constexpr int kSelectByRectangle = 502;
constexpr int kRegenerate = 911;
constexpr int kPrint = 901;
constexpr int kPrintPreview = 903;
}  // namespace command

// The caption of a command code ("Draw Rectangle"), "Command" if unknown.
std::string commandName(int code);
// The code whose caption this is, compared without regard to case; 0 when
// no code has it.
int commandCode(std::string_view caption);
// What the command window shows for a code this engine does not carry out.
std::string notAvailableNotice(int code);

}  // namespace brondel::engine
