// The GL state cache and the file routines of the scene library.
#include "scene/GLMisc.h"

#include "framework/core/Streams.h"

#include <array>
#include <cmath>
#include <cstring>

namespace kx {

namespace {

constexpr GLenum kCapabilities[] = {GL_ALPHA_TEST,   GL_AUTO_NORMAL,  GL_BLEND,          GL_COLOR_MATERIAL,
                                    GL_CULL_FACE,    GL_DEPTH_TEST,   GL_DITHER,         GL_FOG,
                                    GL_LIGHTING,     GL_LINE_SMOOTH,  GL_LINE_STIPPLE,   0x0BF1 /* GL_LOGIC_OP */,
                                    GL_NORMALIZE,    GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_POLYGON_STIPPLE,
                                    GL_SCISSOR_TEST, GL_STENCIL_TEST, GL_TEXTURE_1D,     GL_TEXTURE_2D,
                                    0x8513 /* GL_TEXTURE_CUBE_MAP_ARB */};

struct MaterialBlock {
  TColorVector emission, ambient, diffuse, specular;
  int shininess;
};

constexpr int kTextureUnits = 8;
constexpr GLuint kNoTexture = 0xFFFFFFFFu;

GLenum FrontPolygonMode = 0, BackPolygonMode = 0;
MaterialBlock FrontMaterial{}, BackMaterial{};
std::array<GLuint, kTextureUnits> BoundTextures{};
bool TextureMatrixIsIdentity = true;
bool FrontFaceCCW = true;
uint8_t Sqrt255Table[256] = {};

MaterialBlock& BlockOf(GLenum face) { return face == GL_FRONT ? FrontMaterial : BackMaterial; }

bool DiffersRGB(const TColorVector& a, const TColorVector& b) { return std::memcmp(&a, &b, 3 * sizeof(float)) != 0; }

bool DiffersRGBA(const TColorVector& a, const TColorVector& b) { return std::memcmp(&a, &b, sizeof a) != 0; }

}  // namespace

GLenum GLCapabilityOf(TGLState state) { return kCapabilities[state]; }

void SetGLState(TGLStates& states, TGLState state) {
  if (states.Contains(state)) return;
  GL.glEnable(kCapabilities[state]);
  states.Include(state);
}

void UnSetGLState(TGLStates& states, TGLState state) {
  if (!states.Contains(state)) return;
  GL.glDisable(kCapabilities[state]);
  states.Exclude(state);
}

void SetGLPolygonMode(GLenum face, GLenum mode) {
  switch (face) {
    case GL_FRONT:
      if (mode == FrontPolygonMode) return;
      GL.glPolygonMode(face, mode);
      FrontPolygonMode = mode;
      return;
    case GL_BACK:
      if (mode == BackPolygonMode) return;
      GL.glPolygonMode(face, mode);
      BackPolygonMode = mode;
      return;
    case GL_FRONT_AND_BACK:
      if (mode == FrontPolygonMode && mode == BackPolygonMode) return;
      GL.glPolygonMode(face, mode);
      FrontPolygonMode = BackPolygonMode = mode;
      return;
    default:
      return;
  }
}

void ResetGLPolygonModeCache() { FrontPolygonMode = BackPolygonMode = 0; }

void SetGLMaterialColors(GLenum face, const TColorVector& emission, const TColorVector& ambient,
                         const TColorVector& diffuse, const TColorVector& specular, int shininess) {
  MaterialBlock& block = BlockOf(face);
  if (block.shininess != shininess) {
    GL.glMateriali(face, GL_SHININESS, shininess);
    block.shininess = shininess;
  }
  if (DiffersRGB(block.emission, emission)) {
    GL.glMaterialfv(face, GL_EMISSION, emission.data());
    block.emission = emission;
  }
  if (DiffersRGB(block.ambient, ambient)) {
    GL.glMaterialfv(face, GL_AMBIENT, ambient.data());
    block.ambient = ambient;
  }
  if (DiffersRGBA(block.diffuse, diffuse)) {
    GL.glMaterialfv(face, GL_DIFFUSE, diffuse.data());
    block.diffuse = diffuse;
  }
  if (DiffersRGB(block.specular, specular)) {
    GL.glMaterialfv(face, GL_SPECULAR, specular.data());
    block.specular = specular;
  }
}

void SetGLMaterialAlphaChannel(GLenum face, float alpha) {
  MaterialBlock& block = BlockOf(face);
  if (std::memcmp(&block.diffuse[3], &alpha, sizeof alpha) == 0) return;
  block.diffuse[3] = alpha;
  GL.glMaterialfv(face, GL_DIFFUSE, block.diffuse.data());
}

void ResetGLMaterialColors() {
  static constexpr TColorVector kAmbient{0.2f, 0.2f, 0.2f, 1}, kDiffuse{0.8f, 0.8f, 0.8f, 1}, kBlack{0, 0, 0, 1};
  GL.glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kAmbient.data());
  GL.glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kDiffuse.data());
  GL.glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kBlack.data());
  GL.glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kBlack.data());
  GL.glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, 0);
  // Every cached single becomes about 3.39e38, a value no real colour has.
  for (MaterialBlock* block : {&FrontMaterial, &BackMaterial}) {
    for (TColorVector* colour : {&block->emission, &block->ambient, &block->diffuse, &block->specular})
      std::memset(colour->data(), 0x7F, sizeof *colour);
    block->shininess = 0;
  }
}

void SetGLCurrentTexture(int unit, GLenum target, GLuint name) {
  if (unit < 0 || unit >= kTextureUnits || BoundTextures[unit] == name) return;
  GL.glBindTexture(target, name);
  BoundTextures[unit] = name;
}

void ResetGLCurrentTexture() { BoundTextures.fill(kNoTexture); }

void SetGLTextureMatrix(const TMatrix& matrix) {
  TextureMatrixIsIdentity = false;
  GL.glMatrixMode(GL_TEXTURE);
  GL.glLoadMatrixf(matrix[0].data());
  GL.glMatrixMode(GL_MODELVIEW);
}

void ResetGLTextureMatrix() {
  if (TextureMatrixIsIdentity) return;
  GL.glMatrixMode(GL_TEXTURE);
  GL.glLoadIdentity();
  GL.glMatrixMode(GL_MODELVIEW);
  TextureMatrixIsIdentity = true;
}

void InvertGLFrontFace() {
  FrontFaceCCW = !FrontFaceCCW;
  GL.glFrontFace(FrontFaceCCW ? GL_CCW : GL_CW);
}

void ResetGLFrontFace() {
  GL.glFrontFace(GL_CCW);
  FrontFaceCCW = true;
}

const uint8_t* GetSqrt255Table() {
  if (Sqrt255Table[255] != 255) {
    for (int i = 0; i < 256; ++i)
      Sqrt255Table[i] = static_cast<uint8_t>(TruncSingle(Single(std::sqrt(i / 255.0L) * 255)));
  }
  return Sqrt255Table;
}

void SaveStringToFile(const std::string& fileName, const std::string& text) { SaveToFileSafely(fileName, text); }

std::string LoadStringFromFile(const std::string& fileName) {
  if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
  const int64_t size = file.Size();
  if (size > INT32_MAX) throw EReadError("File too large: " + fileName);
  std::string text(static_cast<size_t>(size), '\0');
  if (size > 0) file.ReadBuffer(text.data(), static_cast<int32_t>(size));
  return text;
}

int64_t SizeOfFile(const std::string& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data)) return 0;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace kx
