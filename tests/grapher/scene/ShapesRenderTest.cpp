// Shapes streamed from a form's text and rendered once by Wine's OpenGL
// into a bitmap: each shows its colour where it stands.
#include "TestSupport.h"
#include "framework/core/FormResources.h"
#include "framework/windows/Graphics.h"
#include "scene/GLObjectsBoxes.h"
#include "scene/GLObjectsFlat.h"
#include "scene/GLObjectsLines.h"
#include "scene/GLObjectsPolygon.h"
#include "scene/GLObjectsQuadrics.h"
#include "scene/GLObjectsSolids.h"
#include "scene/GLStage.h"

#include <gtest/gtest.h>

#include <string>

using namespace kx;

namespace {

class TShapesRoot : public TComponent {
  KX_CLASS(TShapesRoot, TComponent)
 public:
  using TComponent::TComponent;
};
KX_PUBLISH(TShapesRoot) {}

// A form's text: the objects in a scene, looked at by a camera on the Z
// axis from 14 units away.
std::string SceneText(const char* objects) {
  return std::string("object Root: TShapesRoot\n  object Stage: TGLStage\n") + objects +
         "    object Camera: TGLCamera\n      FocalLength = 50\n      Position.Z = 14\n      Direction.Z = -1\n"
         "    end\n  end\nend\n";
}

// Unlit shapes in pure colours left, right, above and below the view's
// centre, the camera on the Z axis looking at the origin. Colours as four
// singles: red (1, 0, 0, 1), green (0, 1, 0, 1), blue, yellow.
constexpr char kShapes[] = R"(    object Box: TCube
      Position.X = -1.5
      CubeWidth = 1.5
      CubeHeight = 1.5
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F00000000000000000000803F}
    end
    object Pyramid: TFrustrum
      Position.X = 1.5
      Position.Y = -0.75
      BaseWidth = 1.5
      ApexHeight = 1.5
      Height = 1.5
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {000000000000803F000000000000803F}
    end
    object Plate: TDisk
      Position.Y = 1.2
      OuterRadius = 0.4
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {00000000000000000000803F0000803F}
    end
    object Post: TCylinder
      Position.Y = -1.2
      BottomRadius = 0.3
      TopRadius = 0.3
      Height = 0.6
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F0000803F000000000000803F}
    end
    object Notched: TPolygon
      Position.X = 1.8
      Position.Y = 1.5
      Nodes = <
        item
          X = -0.6
          Y = -0.4
        end
        item
          X = 0.6
          Y = -0.4
        end
        item
          X = 0.6
          Y = 0.5
        end
        item
          X = 0.3
          Y = 0.5
        end
        item
          X = 0.3
          Y = -0.1
        end
        item
          X = -0.3
          Y = -0.1
        end
        item
          X = -0.3
          Y = 0.5
        end
        item
          X = -0.6
          Y = 0.5
        end>
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F000000000000803F0000803F}
    end
    object BowTie: TPolygon
      Position.X = -1.9
      Position.Y = -1.5
      Nodes = <
        item
          X = -0.5
          Y = -0.4
        end
        item
          X = 0.5
          Y = 0.4
        end
        item
          X = 0.5
          Y = -0.4
        end
        item
          X = -0.5
          Y = 0.4
        end>
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {000000000000803F0000803F0000803F}
    end
    object Tile: TPlane
      Position.X = -2.2
      Position.Y = 1.5
      Width = 0.6
      Height = 0.6
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F0000803F0000803F0000803F}
    end
    object Facing: TSprite
      Position.X = 2.2
      Position.Y = -1.5
      Width = 0.6
      Height = 0.6
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F0000803F0000803F0000803F}
    end
    object Ring: TTorus
      MajorRadius = 0.55
      MinorRadius = 0.12
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F0000003F000000000000803F}
    end
)";

// A dummy cube grouping a thick white line and a white dodecahedron.
constexpr char kGroup[] = R"(    object Group: TDummyCube
      Position.Y = -0.5
      object Line: TLines
        LineWidth = 3
        NodesAspect = lnaInvisible
        Nodes = <
          item
            X = -2
          end
          item
            X = 2
          end>
      end
      object Gem: TDodecahedron
        Position.Y = 1.7
        Material.MaterialOptions = [moNoLighting]
        Material.FrontProperties.Diffuse.Color = {0000803F0000803F0000803F0000803F}
      end
    end
)";

// A red cone, a green tube and a blue height field in a row.
constexpr char kRow[] = R"(    object Peak: TCone
      Position.X = -1.8
      BottomRadius = 0.6
      Height = 1.2
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {0000803F00000000000000000000803F}
    end
    object Tube: TAnnulus
      BottomRadius = 0.6
      TopRadius = 0.6
      Height = 1.2
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {000000000000803F000000000000803F}
    end
    object Field: THeightField
      Position.X = 1.8
      XSamplingScale.Min = -0.6
      XSamplingScale.Max = 0.6
      XSamplingScale.Origin = -0.6
      XSamplingScale.Step = 0.1
      YSamplingScale.Min = -0.6
      YSamplingScale.Max = 0.6
      YSamplingScale.Origin = -0.6
      YSamplingScale.Step = 0.1
      Material.MaterialOptions = [moNoLighting]
      Material.FrontProperties.Diffuse.Color = {00000000000000000000803F0000803F}
    end
)";

unsigned PixelAt(TBitmap& bitmap, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(bitmap.ScanLine(y));
  return (unsigned(row[3 * x + 2]) << 16) | (unsigned(row[3 * x + 1]) << 8) | row[3 * x];
}

// The scene of these objects drawn by its camera into a 160 x 120 picture,
// saved under `name` to be looked at.
testsupport::Picture Render(const char* objects, const char* name) {
  RegisterClasses({&TShapesRoot::StaticClass()});
  TShapesRoot root(nullptr);
  ReadComponentText(root, SceneText(objects), "shapes.kxf");
  TGLStageBuffer buffer(nullptr);
  buffer.SetBackgroundColor(clBlack);
  buffer.SetCamera(As<TGLCamera>(root.FindComponent("Camera")));
  TBitmap bitmap;
  bitmap.SetSize(160, 120);
  buffer.RenderToBitmap(&bitmap, 96);
  buffer.SetCamera(nullptr);
  testsupport::Picture picture;
  picture.width = 160;
  picture.height = 120;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) picture.pixels.push_back(PixelAt(bitmap, x, y));
  testsupport::SavePng(picture, name);
  return picture;
}

TEST(ShapesRender, StreamedShapesShowTheirColoursWhereTheyStand) {
  ASSERT_TRUE(InitOpenGL());
  const testsupport::Picture picture = Render(kShapes, "scene_shapes.png");

  // The cube left of the centre, the pyramid right of it, the disc above,
  // the cylinder below, the background between and around them.
  int red = 0, green = 0, blue = 0, yellow = 0;
  // The notched polygon top right, its notch empty; the bow tie bottom
  // left, its two triangles filled and the space above their crossing empty.
  int magenta = 0, cyan = 0;
  // The orange ring around the centre, its hole empty.
  int orange = 0;
  // The white plane top left, the white sprite bottom right.
  int whiteTopLeft = 0, whiteBottomRight = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) {
      const unsigned p = picture.At(x, y);
      if (p == 0xFF0000) {
        ++red;
        EXPECT_LT(x, 80) << "red right of the centre at " << x << "," << y;
      } else if (p == 0x00FF00) {
        ++green;
        EXPECT_GT(x, 80) << "green left of the centre at " << x << "," << y;
      } else if (p == 0x0000FF) {
        ++blue;
        EXPECT_LT(y, 60) << "blue below the centre at " << x << "," << y;
      } else if (p == 0xFF00FF) {
        ++magenta;
        EXPECT_TRUE(x > 100 && y < 40) << "magenta outside the top right at " << x << "," << y;
      } else if (p == 0x00FFFF) {
        ++cyan;
        EXPECT_TRUE(x < 60 && y > 80) << "cyan outside the bottom left at " << x << "," << y;
      } else if ((p & 0xFFFF00) == 0xFF7F00 || (p & 0xFFFF00) == 0xFF8000) {
        ++orange;
        const int dx = x - 80, dy = y - 60;
        EXPECT_LT(dx * dx + dy * dy, 25 * 25) << "orange away from the ring at " << x << "," << y;
      } else if (p == 0xFFFFFF) {
        const bool topLeft = x < 40 && y < 40, bottomRight = x > 120 && y > 80;
        whiteTopLeft += topLeft;
        whiteBottomRight += bottomRight;
        EXPECT_TRUE(topLeft || bottomRight) << "white elsewhere at " << x << "," << y;
      } else if (p == 0xFFFF00) {
        ++yellow;
        EXPECT_GT(y, 60) << "yellow above the centre at " << x << "," << y;
      }
    }
  EXPECT_GT(red, 100);
  EXPECT_GT(green, 50);
  EXPECT_GT(blue, 50);
  EXPECT_GT(yellow, 20);
  EXPECT_GT(orange, 300);
  EXPECT_GT(whiteTopLeft, 200);
  EXPECT_GT(whiteBottomRight, 200);
  EXPECT_GT(magenta, 200);
  EXPECT_GT(cyan, 200);
  EXPECT_EQ(picture.At(130, 10), 0u) << "the notch stays open";
  EXPECT_EQ(picture.At(130, 26), 0xFF00FFu) << "below the notch";
  EXPECT_EQ(picture.At(27, 94), 0u) << "above the bow tie's crossing";
  EXPECT_EQ(picture.At(17, 102), 0x00FFFFu) << "its left triangle";
  EXPECT_EQ(picture.At(37, 102), 0x00FFFFu) << "its right triangle";
  EXPECT_EQ(picture.At(80, 60), 0u) << "the centre shows the background through the ring's hole";
  EXPECT_EQ(picture.At(2, 2), 0u);
}

TEST(ShapesRender, AGroupDrawsItsLineAndItsGemButNothingOfItsOwn) {
  ASSERT_TRUE(InitOpenGL());
  const testsupport::Picture picture = Render(kGroup, "scene_group.png");
  // The line at y = -0.5 across the middle, the gem above it; the group's
  // wireframe is not drawn at run time.
  int lineRow = -1;
  for (int y = 60; y < 90 && lineRow < 0; ++y)
    if (picture.At(80, y) == 0xFFFFFFu) lineRow = y;
  ASSERT_GE(lineRow, 0) << "no line below the centre";
  for (int x : {40, 80, 120}) EXPECT_EQ(picture.At(x, lineRow), 0xFFFFFFu) << "along the line at " << x;
  int gem = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 60; x < 100; ++x) gem += picture.At(x, y) == 0xFFFFFFu;
  EXPECT_GT(gem, 100);
  EXPECT_EQ(picture.At(10, 10), 0u);
  EXPECT_EQ(picture.At(150, 110), 0u);
}

TEST(ShapesRender, AConeATubeAndAHeightFieldStandInARow) {
  ASSERT_TRUE(InitOpenGL());
  const testsupport::Picture picture = Render(kRow, "scene_row.png");
  // Each colour only in its third of the picture, the cone's apex narrower than its base.
  int counts[3] = {0, 0, 0};
  const unsigned colours[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x)
      for (int i = 0; i < 3; ++i)
        if (picture.At(x, y) == colours[i]) {
          ++counts[i];
          EXPECT_TRUE(x >= 53 * i && x < 53 * (i + 1) + 1) << "colour " << i << " at " << x << "," << y;
        }
  for (int i = 0; i < 3; ++i) EXPECT_GT(counts[i], 300) << "colour " << i;
  auto width = [&](int y, unsigned colour) {
    int n = 0;
    for (int x = 0; x < 160; ++x) n += picture.At(x, y) == colour;
    return n;
  };
  EXPECT_LT(width(48, 0xFF0000), width(74, 0xFF0000)) << "the cone narrows upwards";
}

}  // namespace
