#pragma once

#include <string>

// The engine's command codes that the control itself carries out; the
// names of all codes the menus forward are in commands.cpp.
namespace brondel::engine {

namespace command {
constexpr int kZoomExtents = 102;
constexpr int kZoomIn = 103;
constexpr int kZoomOut = 104;
constexpr int kDrawLine = 205;
constexpr int kUndo = 301;
constexpr int kRedo = 302;
constexpr int kPrint = 901;
constexpr int kPrintPreview = 903;
}  // namespace command

// The caption of a command code ("Draw Rectangle"), "Command" if unknown.
std::string commandName(int code);
// What the command window shows for a code this engine does not carry out.
std::string notAvailableNotice(int code);

}  // namespace brondel::engine
