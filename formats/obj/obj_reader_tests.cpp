// The OBJ reader on the files exporters write and on files written to break
// it: every index is checked, and names that leave the file's folder are
// refused before anything is opened.
#include <gtest/gtest.h>

#include "formats/obj/obj_reader.h"

namespace morvel::formats::obj {
namespace {

TEST(ObjReader, GroupsMaterialsAndRelativeIndicesReadBack) {
    Document document;
    std::string error;
    ASSERT_TRUE(ReadObj("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\no a\nusemtl m\nf 1 2 3 4\ng b\nf -1 -2 -3\n",
                        "newmtl m\nKd 0.5 0.25 1\nd 0.5\nmap_Kd t.png\n", document, error))
        << error;
    ASSERT_EQ(document.shapes.size(), 2u);
    EXPECT_EQ(document.shapes[0].name, "a");
    EXPECT_EQ(document.shapes[0].corners.size(), 6u) << "the quad as two triangles";
    EXPECT_EQ(document.shapes[1].corners[0].position, 3) << "-1: the last vertex so far";
    ASSERT_EQ(document.materials.size(), 1u);
    EXPECT_EQ(document.materials[0].diffuseTexture, "t.png");
    EXPECT_FLOAT_EQ(document.materials[0].dissolve, 0.5f);
    EXPECT_EQ(document.shapes[0].materials, (std::vector<int>{0, 0}));
}

TEST(ObjReader, IndicesBeyondTheListsAndHostileNamesEndInAMessage) {
    const char *broken[] = {"v 0 0 0\nf 1 2 3\n", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/9 2/9 3/9\n",
                            "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1//7 2//7 3//7\n", "v 0 0 0\nf -5 -6 -7\n"};
    for (const char *text : broken) {
        Document document;
        std::string error;
        EXPECT_FALSE(ReadObj(text, "", document, error) && !document.shapes.empty()) << text;
    }
    for (const char *name : {"../x.mtl", "a/../../x.mtl", "/etc/passwd", "C:\\x.mtl", "..\\x.mtl"}) {
        EXPECT_FALSE(IsContainedName(name)) << name;
    }
    EXPECT_TRUE(IsContainedName("sub/x.mtl"));
    EXPECT_TRUE(IsContainedName("a..b.mtl"));
}

}  // namespace
}  // namespace morvel::formats::obj
