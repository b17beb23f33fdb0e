#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/support/thrown.h"

namespace brondel::engine::io {
namespace {

using Groups = std::vector<std::pair<int, std::string>>;

std::string ascii(const Groups& groups, const char* eol = "\n") {
    std::string s;
    for (const auto& [code, value] : groups) {
        s += std::to_string(code) + eol + value + eol;
    }
    return s;
}

// A complete file around the given ENTITIES groups.
std::string file(const Groups& entities, const Groups& header = {}) {
    Groups all{{0, "SECTION"}, {2, "HEADER"}};
    all.insert(all.end(), header.begin(), header.end());
    all.insert(all.end(), {{0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
    all.insert(all.end(), entities.begin(), entities.end());
    all.insert(all.end(), {{0, "ENDSEC"}, {0, "EOF"}});
    return ascii(all);
}

int errorOf(const std::string& data, std::string* text = nullptr) {
    const brondel::testing::Thrown e = brondel::testing::thrown([&] { readDxfBuffer(data); });
    if (text)
        *text = e.description;
    return e.number;
}

const Groups kLine{{0, "LINE"}, {8, "Walls"}, {62, "3"},   {10, "1.5"}, {20, "2"},
                   {30, "0"},   {11, "-4"},   {21, "1e3"}, {31, "0"}};

TEST(DxfTokenizer, LineEndsAndPaddedCodesReadAlike) {
    const std::string lf = file(kLine);
    std::string crlf = ascii({{0, "SECTION"}, {2, "ENTITIES"}}, "\r\n") + ascii(kLine, "\r\n") +
                       ascii({{0, "ENDSEC"}, {0, "EOF"}}, "\r\n");
    std::string mixed =
        "  0\r\nSECTION \n  2\nENTITIES\r\n" + ascii(kLine) + "  0\nENDSEC\r\n  0\nEOF";
    for (const std::string& data : {lf, crlf, mixed}) {
        const DrawingContent c = readDxfBuffer(data);
        ASSERT_EQ(c.entities.size(), 1u);
        const auto* line = geomIf<LineGeom>(c.entities[0]);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->p1, (Point3{1.5, 2, 0}));
        EXPECT_EQ(line->p2, (Point3{-4, 1000, 0}));
        EXPECT_EQ(c.entities[0].props().layer, "Walls");
        EXPECT_EQ(c.entities[0].props().color.aci, 3);
    }
}

// Binary DXF with two-byte group codes, as R13 and later write it.
std::string binary(const std::vector<std::pair<int, std::string>>& strings,
                   const std::vector<std::pair<int, double>>& line) {
    std::string s("AutoCAD Binary DXF\r\n\x1a\0", 22);
    auto code = [&](int c) { s += char(c & 0xff), s += char(c >> 8); };
    auto str = [&](int c, const std::string& v) { code(c), s += v, s += '\0'; };
    for (const auto& [c, v] : strings)
        str(c, v);
    str(0, "LINE");
    for (const auto& [c, v] : line) {
        code(c);
        char bytes[8];
        std::memcpy(bytes, &v, 8);
        s.append(bytes, 8);
    }
    str(0, "ENDSEC");
    str(0, "EOF");
    return s;
}

TEST(DxfTokenizer, BinaryFilesAndTheirTruncation) {
    const std::string data = binary({{0, "SECTION"}, {2, "ENTITIES"}},
                                    {{10, 1}, {20, 2}, {30, 0}, {11, 3}, {21, 4}, {31, 0}});
    const DrawingContent c = readDxfBuffer(data);
    ASSERT_EQ(c.entities.size(), 1u);
    EXPECT_EQ(geomIf<LineGeom>(c.entities[0])->p2, (Point3{3, 4, 0}));
    // Cut inside the last coordinate.
    const std::size_t cut = data.find("ENDSEC") - 2 - 4;
    std::string message;
    EXPECT_EQ(errorOf(data.substr(0, cut), &message), err::kDxfTruncated);
    EXPECT_NE(message.find("at byte"), std::string::npos) << message;
}

TEST(DxfTokenizer, MalformedInputIsRefusedWithWhere) {
    std::string message;
    std::string data = file(kLine);
    EXPECT_EQ(errorOf(data.substr(0, data.find("21\n")), &message), err::kDxfTruncated) << message;
    EXPECT_EQ(errorOf(data.substr(0, data.find("0\nENDSEC")), &message), err::kDxfTruncated);

    std::string badCode = data;
    badCode.replace(badCode.find("\n62\n") + 1, 2, "6x");
    EXPECT_EQ(errorOf(badCode, &message), err::kDxfBadGroupCode);
    EXPECT_NE(message.find("at line 15"), std::string::npos) << message;

    std::string badValue = data;
    badValue.replace(badValue.find("1.5"), 3, "1.5.5");
    EXPECT_EQ(errorOf(badValue, &message), err::kDxfBadValue);
    EXPECT_NE(message.find("at line 18"), std::string::npos) << message;

    EXPECT_EQ(errorOf(""), err::kNotDxf);
    EXPECT_EQ(errorOf("EXTENTS,1\r\n0.0,8.0\r\n"), err::kNotDxf);
    EXPECT_EQ(errorOf("AC1015\0\0\0\x01\x02"), err::kNotDxf);
    EXPECT_EQ(errorOf("12\nhello\n"), err::kNotDxf);

    // An entity without a name is left out like any unknown kind.
    ReadReport report;
    EXPECT_TRUE(readDxfBuffer(file({{0, ""}, {10, "1"}}), &report).entities.empty());
    EXPECT_EQ(report.skipped[""], 1u);

    // Complete sections without the closing EOF lose nothing: accepted.
    const std::string noEof = data.substr(0, data.rfind("0\nEOF"));
    EXPECT_EQ(readDxfBuffer(noEof).entities.size(), 1u);

    for (const auto& [path, number] : {std::pair{"/nonexistent/drawing.dxf", err::kFileNotFound},
                                       std::pair{BRONDEL_CORPUS_DIR, err::kFileRead}}) {
        EXPECT_EQ(brondel::testing::thrown([&] { readDxf(path); }).number, number) << path;
    }
}

std::string textOf(const std::string& raw, const std::string& version,
                   const std::string& codePage) {
    const DrawingContent c =
        readDxfBuffer(file({{0, "TEXT"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, raw}},
                           {{9, "$ACADVER"}, {1, version}, {9, "$DWGCODEPAGE"}, {3, codePage}}));
    return geomIf<TextGeom>(c.entities.at(0))->text;
}

TEST(DxfText, CodePagesEscapesAndControlCodes) {
    EXPECT_EQ(textOf("\xB9", "AC1015", "ANSI_1250"), "\xC4\x85");  // ą
    EXPECT_EQ(textOf("\xB9", "AC1015", "ANSI_1252"), "\xC2\xB9");  // ¹
    EXPECT_EQ(textOf("\xB9", "AC1015", "NO_SUCH_PAGE"), "\xC2\xB9");
    EXPECT_EQ(textOf("\xE0", "AC1015", "ANSI_1251"), "\xD0\xB0");                           // а
    EXPECT_EQ(textOf("\x93\xFA\x96\x7B", "AC1012", "dos932"), "\xE6\x97\xA5\xE6\x9C\xAC");  // 日本
    EXPECT_EQ(textOf("\xC3\xA9", "AC1021", "ANSI_1252"), "\xC3\xA9");    // UTF-8 from R2007 on
    EXPECT_EQ(textOf("a\xFF", "AC1021", "ANSI_1252"), "a\xEF\xBF\xBD");  // never invalid UTF-8
    EXPECT_EQ(textOf("\\U+00E9t\\U+D83D\\U+DE00", "AC1015", "ANSI_1252"),
              "\xC3\xA9t\xF0\x9F\x98\x80");
    EXPECT_EQ(textOf("%%c10 %%d %%p1 100%%% %%uU", "AC1015", "ANSI_1252"),
              "\xC3\x98"
              "10 \xC2\xB0 \xC2\xB1"
              "1 100% U");
    // %%nnn by its decimal code; \M+nXXXX by its multi-byte code page.
    EXPECT_EQ(textOf("20%%176C %%177%%0011", "AC1015", "ANSI_1252"),
              "20\xC2\xB0"
              "C \xC2\xB1"
              "1");
    EXPECT_EQ(textOf("%%17", "AC1015", "ANSI_1252"), "%%17");
    EXPECT_EQ(textOf("\\M+193FA\\M+5D6D0", "AC1015", "ANSI_1252"),
              "\xE6\x97\xA5\xE4\xB8\xAD");  // 日中
    EXPECT_EQ(textOf("\\M+6C4CE \\M+1ZZ00", "AC1015", "ANSI_1252"), "\\M+6C4CE \\M+1ZZ00");
}

TEST(DxfOcs, MirroredEntitiesBecomeClockwiseInWorldSpace) {
    const DrawingContent c = readDxfBuffer(file({
        {0, "ARC"}, {10, "10"},  {20, "0"},     {30, "0"},  {40, "2"},         {210, "0"},
        {220, "0"}, {230, "-1"}, {50, "0"},     {51, "90"}, {0, "LWPOLYLINE"}, {90, "2"},
        {70, "1"},  {38, "5"},   {10, "1"},     {20, "2"},  {42, "0.5"},       {10, "3"},
        {20, "4"},  {230, "-1"}, {0, "INSERT"}, {2, "B"},   {10, "1"},         {20, "1"},
        {50, "30"}, {230, "-1"},
    }));
    ASSERT_EQ(c.entities.size(), 3u);
    const auto* arc = geomIf<ArcGeom>(c.entities[0]);
    EXPECT_EQ(arc->center, (Point3{-10, 0, 0}));
    EXPECT_NEAR(arc->startAngle, kPi, 1e-12);
    EXPECT_NEAR(arc->angle, -kPi / 2, 1e-12);
    const auto* pl = geomIf<PolylineGeom>(c.entities[1]);
    ASSERT_EQ(pl->vertices.size(), 2u);
    EXPECT_EQ(pl->vertices[0], (Vertex{-1, 2, -5, -0.5}));
    EXPECT_TRUE(pl->closed);
    const auto* in = geomIf<InsertGeom>(c.entities[2]);
    EXPECT_EQ(in->p, (Point3{-1, 1, 0}));
    // The block's x axis points at 150 degrees and its y axis is turned over.
    EXPECT_NEAR(in->angle, 150 * kPi / 180, 1e-12);
    EXPECT_EQ(in->scale.y, -1);
}

TEST(DxfReader, CompoundEntitiesAndWhatIsLeftOut) {
    ReadReport report;
    const DrawingContent c = readDxfBuffer(
        file({
            {0, "POLYLINE"},  {66, "1"},       {70, "1"},     {0, "VERTEX"}, {10, "0"},
            {20, "0"},        {42, "1"},       {0, "VERTEX"}, {10, "2"},     {20, "0"},
            {0, "SEQEND"},    {0, "POLYLINE"}, {70, "64"},    {0, "VERTEX"}, {10, "0"},
            {20, "0"},        {0, "SEQEND"},   {0, "INSERT"}, {66, "1"},     {2, "B"},
            {10, "5"},        {20, "5"},       {0, "ATTRIB"}, {10, "6"},     {20, "5"},
            {1, "tag value"}, {70, "0"},       {0, "ATTRIB"}, {10, "7"},     {20, "5"},
            {1, "hidden"},    {70, "1"},       {0, "SEQEND"}, {0, "LINE"},   {67, "1"},
            {10, "0"},        {20, "0"},       {11, "1"},     {21, "1"},     {0, "3DSOLID"},
            {1, "acis data"}, {0, "HATCH"},    {2, "SOLID"},  {70, "1"},     {91, "2"},
            {92, "2"},        {72, "1"},       {73, "1"},     {93, "2"},     {10, "0"},
            {20, "0"},        {42, "1"},       {10, "1"},     {20, "0"},     {42, "0"},
            {97, "0"},        {92, "1"},       {93, "2"},     {72, "1"},     {10, "0"},
            {20, "0"},        {11, "1"},       {21, "0"},     {72, "2"},     {10, "0.5"},
            {20, "0"},        {40, "0.5"},     {50, "0"},     {51, "180"},   {73, "0"},
            {97, "0"},        {75, "0"},       {76, "1"},     {98, "0"},
        }),
        &report);
    ASSERT_EQ(c.entities.size(), 4u);  // polyline, insert, its visible attribute, hatch
    const auto* pl = geomIf<PolylineGeom>(c.entities[0]);
    ASSERT_EQ(pl->vertices.size(), 2u);
    EXPECT_EQ(pl->vertices[0].bulge, 1);
    EXPECT_TRUE(pl->closed);
    EXPECT_EQ(geomIf<TextGeom>(c.entities[2])->text, "tag value");
    const auto* hatch = geomIf<HatchGeom>(c.entities[3]);
    ASSERT_EQ(hatch->loops.size(), 2u);
    EXPECT_TRUE(hatch->solid);
    EXPECT_EQ(hatch->loops[0].vertices.size(), 2u);
    ASSERT_EQ(hatch->loops[1].edges.size(), 2u);
    const auto& arc = std::get<HatchArcEdge>(hatch->loops[1].edges[1]);
    EXPECT_NEAR(arc.startAngle, 0, 1e-12);  // clockwise: stored as 360 - angle
    EXPECT_NEAR(arc.angle, -kPi, 1e-12);

    EXPECT_EQ(report.counts, (std::map<std::string, std::size_t>{
                                 {"POLYLINE", 2}, {"INSERT", 1}, {"3DSOLID", 1}, {"HATCH", 1}}));
    EXPECT_EQ(report.skipped, (std::map<std::string, std::size_t>{{"POLYLINE (polyface mesh)", 1},
                                                                  {"ATTRIB (invisible)", 1},
                                                                  {"LINE (paper space)", 1},
                                                                  {"3DSOLID", 1}}));

    std::string broken = file({{0, "HATCH"}, {91, "1"}, {92, "2"}, {72, "7"}});
    EXPECT_EQ(errorOf(broken), err::kDxfBadValue);
}

TEST(DxfReader, TablesBlocksAndHeader) {
    const std::string data =
        "999\ndxflib 3.17.0.0\n" +
        ascii({{0, "SECTION"},    {2, "HEADER"},  {9, "$ACADVER"}, {1, "AC1015"}, {9, "$INSUNITS"},
               {70, "4"},         {9, "$CLAYER"}, {8, "Cut"},      {0, "ENDSEC"}, {0, "SECTION"},
               {2, "TABLES"},     {0, "TABLE"},   {2, "LAYER"},    {70, "2"},     {0, "LAYER"},
               {2, "Cut"},        {70, "5"},      {62, "-1"},      {6, "DASHED"}, {370, "25"},
               {420, "16711680"}, {0, "ENDTAB"},  {0, "TABLE"},    {2, "LTYPE"},  {0, "LTYPE"},
               {2, "DASHED"},     {3, "__ __"},   {73, "2"},       {40, "0.75"},  {49, "0.5"},
               {74, "0"},         {49, "-0.25"},  {74, "0"},       {0, "ENDTAB"}, {0, "ENDSEC"},
               {0, "SECTION"},    {2, "BLOCKS"},  {0, "BLOCK"},    {8, "0"},      {2, "B"},
               {70, "0"},         {10, "1"},      {20, "2"},       {0, "CIRCLE"}, {10, "0"},
               {20, "0"},         {40, "1"},      {0, "ENDBLK"},   {0, "ENDSEC"}, {0, "EOF"}});
    ReadReport report;
    const DrawingContent c = readDxfBuffer(data, &report);
    EXPECT_EQ(report.producer, "dxflib 3.17.0.0");
    EXPECT_EQ(report.version, "AC1015");
    EXPECT_EQ(c.header.insUnits, 4);
    EXPECT_EQ(c.currentLayer, "Cut");
    // Colour -1: off; flags 5: frozen and locked.
    EXPECT_EQ(c.layers,
              (std::vector<Layer>{Layer{"Cut", {1, 0xFF0000}, "DASHED", 25, false, true, true}}));
    ASSERT_EQ(c.lineTypes.size(), 1u);
    EXPECT_EQ(c.lineTypes[0].pattern, (std::vector<double>{0.5, -0.25}));
    const Block& block = c.blocks.at("B");
    EXPECT_EQ(block.base, (Point3{1, 2, 0}));
    ASSERT_EQ(block.entities.size(), 1u);
    EXPECT_NE(geomIf<CircleGeom>(block.entities[0]), nullptr);
}

}  // namespace
}  // namespace brondel::engine::io
