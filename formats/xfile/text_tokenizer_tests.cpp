// The text syntax real exporters write: comments, letter case, GUIDs,
// references and the separators they drop or double.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "formats/xfile/text_tokenizer.h"
#include "xfile_test_support.h"

namespace morvel::formats::xfile {
namespace {

using testing::LoadText;
using testing::Position;
using testing::QuadMesh;

TEST(TextTokenizer, ReadsValuesWhateverTheSeparators) {
    const std::string text = "3 ;; 4,5\n\t1.5e2;-2.5E-1,,+7;.5 \"a\\b\";";
    TextTokenizer tokens(text.data(), text.data() + text.size());
    uint32_t a, b, c;
    float x, y, z, w;
    std::string s;
    ASSERT_TRUE(tokens.ReadUint(a) && tokens.ReadUint(b) && tokens.ReadUint(c));
    ASSERT_TRUE(tokens.ReadFloat(x) && tokens.ReadFloat(y) && tokens.ReadFloat(z) && tokens.ReadFloat(w));
    ASSERT_TRUE(tokens.ReadString(s)) << tokens.Error();
    EXPECT_EQ(a + b + c, 12u);
    EXPECT_FLOAT_EQ(x, 150.0f);
    EXPECT_FLOAT_EQ(y, -0.25f);
    EXPECT_FLOAT_EQ(z, 7.0f);
    EXPECT_FLOAT_EQ(w, 0.5f);
    EXPECT_EQ(s, "a\\b");  // no escapes
    Token end;
    ASSERT_TRUE(tokens.Next(end));
    EXPECT_EQ(end.kind, TokenKind::End);
}

TEST(TextTokenizer, RejectsMalformedNumbersWithTheLine) {
    const std::string text = "1;\n2;\n1.5.3;";
    TextTokenizer tokens(text.data(), text.data() + text.size());
    float v;
    ASSERT_TRUE(tokens.ReadFloat(v) && tokens.ReadFloat(v));
    EXPECT_FALSE(tokens.ReadFloat(v));
    EXPECT_EQ(tokens.Error(), "line 3: expected a number");

    const std::string negative = "-1;";
    TextTokenizer counts(negative.data(), negative.data() + negative.size());
    uint32_t n;
    EXPECT_FALSE(counts.ReadUint(n));
    const std::string huge = "4294967296;";
    TextTokenizer big(huge.data(), huge.data() + huge.size());
    EXPECT_FALSE(big.ReadUint(n));
}

TEST(TextTokenizer, NumbersDoNotDependOnTheLocale) {
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "German");
    const std::string text = "0.25;";
    TextTokenizer tokens(text.data(), text.data() + text.size());
    float v = 0;
    EXPECT_TRUE(tokens.ReadFloat(v));
    EXPECT_FLOAT_EQ(v, 0.25f);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) GTEST_SKIP() << "no comma-decimal locale on this machine";
}

TEST(TextSyntax, CommentsCaseGuidsAndReferencesAreUnderstood) {
    MeshData mesh;
    const LoadResult result = LoadText(
        "// a comment { with braces\n"
        "# another one }\n"
        "TEMPLATE Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"
        "material Red { <11111111-2222-3333-4444-555555555555> 1;0;0;1;; 5; 0;0;0;; 0;0;0;; }\n"
        "FRAME f { frametransformmatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }\n"
        "  mesh { <3d82ab44-62da-11cf-ab39-0020af71e433> 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
        "    meshmateriallist { 2; 1; 1;; { Red } { <11111111-2222-3333-4444-555555555555> } }\n"
        "  }\n"
        "}\n",
        mesh);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_FLOAT_EQ(Position(mesh, 0).x, 10.0f);
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_FLOAT_EQ(mesh.materials[1].material.Power, 5.0f);
    EXPECT_EQ(mesh.attributes[0], 1u);
}

TEST(TextSyntax, UnknownAndSkippedObjectsDoNotDisturbTheMesh) {
    MeshData mesh;
    const LoadResult result = LoadText(
        "Header { 1; 0; 1; }\n"
        "KeyValuePair { \"File\"; \"c:\\\\a { b\"; }\n"
        "AnimationSet walk { Animation { { quad } AnimationKey { 0; 1; 0; 4; 1,0,0,0;;; } } }\n" +
            QuadMesh("XSkinMeshHeader { 1; 1; 1; }\n"
                     "SkinWeights { \"bone\"; 2; 7, 99; 0.5, 0.5; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }\n"
                     "FVFData { 258; 1; 0; }\n"
                     "MeshFaceWraps { 1; 0;0;; }\n"
                     "Whatever name { <01234567-89ab-cdef-0123-456789abcdef> { ref } Nested { 1; } }\n"),
        mesh);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(mesh.vertexCount, 4u);
    EXPECT_EQ(mesh.faceCount, 2u);
}

TEST(TextSyntax, MissingAndDoubledSeparatorsAreAccepted) {
    MeshData tidy, sloppy;
    ASSERT_TRUE(LoadText(QuadMesh(), tidy).ok);
    const LoadResult result =
        LoadText("Mesh { 4 0 0 0,, 1 0 0;;; 1 1 0 0 1 0 1 4 0 1 2 3 }", sloppy);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(sloppy.vertices, tidy.vertices);
    EXPECT_EQ(sloppy.indices, tidy.indices);
}

TEST(TextSyntax, ErrorsNameTheLineAndStayOnOneLine) {
    MeshData mesh;
    const LoadResult result = LoadText("Mesh {\n 3;\n 0;0;0;, 1;0;0;, 0;1;0;;\n 1;\n 3;0,1,5;;\n}\n", mesh);
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.error, "line 6: face 0 uses vertex 5 of 3");
}

}  // namespace
}  // namespace morvel::formats::xfile
