#pragma once

#include <QStringList>
#include <string>

namespace brondel::desktop {

// The program's file filter ("Drawing (*.dxf)|*.dxf|All files|*.*") as Qt
// name filters, one per description/pattern pair; patterns separated by ';'
// become one filter. A description that already ends with its patterns in
// brackets is kept as it is.
QStringList qtNameFilters(const std::string& filter);

// The extension of a Qt name filter's first pattern ("DXF File (*.dxf)"
// gives "dxf"); "" when it names none ("All (*.*)").
QString filterSuffix(const QString& nameFilter);

// Character 13 (alone or before a 10) as a line break.
QString displayText(const std::string& text);

}  // namespace brondel::desktop
