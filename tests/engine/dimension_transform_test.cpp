// A dimension under Move, Rotate, Scale and Mirror stays a dimension: its
// definition points follow the map, it measures again and is drawn afresh
// from its points instead of from its old block.
#include <gtest/gtest.h>

#include "engine/dimension_picture.h"
#include "engine/drawing.h"
#include "engine/transform.h"

namespace brondel::engine {
namespace {

TEST(DimensionTransform, StaysADimensionWithItsPointsMovedAndItsValueMeasuredAgain) {
    const DimensionGeom dim{.block = "*D1",
                            .dimType = dimkind::kAligned | dimkind::kOwnBlock,
                            .defPoint = {10, 3, 0},
                            .textMid = {5, 3.5, 0},
                            .p13 = {0, 0, 0},
                            .p14 = {10, 0, 0},
                            .measurement = 10};
    Drawing d;  // holds the old picture as the dimension's block
    d.setBlock("*D1", Block{.entities = {Entity(LineGeom{{0, 3, 0}, {10, 3, 0}})}});
    const Entity e(dim);

    struct Case {
        const char* name;
        Affine map;
        double measured;
    };
    Affine mirror = Affine::scaling(-1, 1);
    for (const Case& c :
         {Case{"Move", Affine::translation(7, -2), 10}, Case{"Rotate", Affine::rotation(0.7), 10},
          Case{"Scale", Affine::scaling(2.5, 2.5, 2.5), 25}, Case{"Mirror", mirror, 10}}) {
        SCOPED_TRACE(c.name);
        std::vector<Entity> out;
        transformEntity(e, c.map, d, 0, out);
        ASSERT_EQ(out.size(), 1u);
        const auto* t = geomIf<DimensionGeom>(out[0]);
        ASSERT_NE(t, nullptr) << "became parts";
        for (const auto& [was, now] :
             {std::pair{dim.p13, t->p13}, std::pair{dim.p14, t->p14},
              std::pair{dim.defPoint, t->defPoint}, std::pair{dim.textMid, t->textMid}}) {
            const Point3 want = c.map.apply(was);
            EXPECT_NEAR(now.x, want.x, 1e-12);
            EXPECT_NEAR(now.y, want.y, 1e-12);
        }
        EXPECT_NEAR(t->measurement, c.measured, 1e-12);
        EXPECT_NEAR(dimensionMeasurement(*t), c.measured, 1e-12);
        // Its picture comes from its points now: the old block drew it where
        // it was.
        EXPECT_TRUE(t->block.empty());
        EXPECT_EQ(t->dimType & dimkind::kKindMask, dimkind::kAligned);
        EXPECT_FALSE(dimensionParts(*t, d).empty());
    }
}

}  // namespace
}  // namespace brondel::engine
