#pragma once

#include <memory>

#include "engine/tool.h"

// The factories of the engine's tools, one per file in this folder; the
// command table in engine/commands.cpp names them.
namespace brondel::engine::tools {

std::unique_ptr<Tool> makeZoomWindow();
std::unique_ptr<Tool> makeZoomRealtime();
std::unique_ptr<Tool> makePanRealtime();
std::unique_ptr<Tool> makePanToPoint();
std::unique_ptr<Tool> makePoint();
std::unique_ptr<Tool> makeLine();
std::unique_ptr<Tool> makeRay();
std::unique_ptr<Tool> makeConstructionLine();
std::unique_ptr<Tool> makeMultiLine();
std::unique_ptr<Tool> makePolyline();
std::unique_ptr<Tool> makePolygon();
std::unique_ptr<Tool> makeEllipse();
std::unique_ptr<Tool> makeRectangle();
std::unique_ptr<Tool> makeCircleCenterRadius();
std::unique_ptr<Tool> makeCircleCenterDiameter();
std::unique_ptr<Tool> makeCircleDiametric();
std::unique_ptr<Tool> makeCircleTwoPointsRadius();
std::unique_ptr<Tool> makeArc();
std::unique_ptr<Tool> makeSpline();
std::unique_ptr<Tool> makeText();
std::unique_ptr<Tool> makeHatch();
std::unique_ptr<Tool> makeErase();
std::unique_ptr<Tool> makeDropCopy();
std::unique_ptr<Tool> makeMove();
std::unique_ptr<Tool> makeRotate();
std::unique_ptr<Tool> makeScale();
std::unique_ptr<Tool> makeMirror();
std::unique_ptr<Tool> makeExplode();
std::unique_ptr<Tool> makeSelectByPoint();
std::unique_ptr<Tool> makeSelectByRectangle();
std::unique_ptr<Tool> makeTrim();
std::unique_ptr<Tool> makeExtend();
std::unique_ptr<Tool> makeJoin();
std::unique_ptr<Tool> makeCut();
std::unique_ptr<Tool> makeCopy();
std::unique_ptr<Tool> makePaste();
std::unique_ptr<Tool> makeSelectByPolygon();
std::unique_ptr<Tool> makeSelectByPolyline();
std::unique_ptr<Tool> makeSelectByRadialDistance();
std::unique_ptr<Tool> makeSelectById();
std::unique_ptr<Tool> makeSelectCurrentLayer();
std::unique_ptr<Tool> makeSelectByText();
std::unique_ptr<Tool> makeSelectByUserData();
std::unique_ptr<Tool> makeCurrentLayer();
std::unique_ptr<Tool> makeDistanceTool();
std::unique_ptr<Tool> makeAreaTool();
std::unique_ptr<Tool> makeCalibrateMetrics();
std::unique_ptr<Tool> makeDrawingInfo();
std::unique_ptr<Tool> makeLinearDimension();
std::unique_ptr<Tool> makeAlignedDimension();
std::unique_ptr<Tool> makeOrdinateDimension();
std::unique_ptr<Tool> makeRadiusDimension();
std::unique_ptr<Tool> makeDiameterDimension();
std::unique_ptr<Tool> makeAngularDimension();
std::unique_ptr<Tool> makeQuickCentermark();
std::unique_ptr<Tool> makeQuickLeader();
std::unique_ptr<Tool> makeCreateBlock();
std::unique_ptr<Tool> makeInsertBlock();
std::unique_ptr<Tool> makeInsertImage();
std::unique_ptr<Tool> makeInsertXref();

}  // namespace brondel::engine::tools
