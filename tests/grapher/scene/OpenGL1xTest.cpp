#include "GLRecorder.h"
#include "scene/OpenGL1x.h"

#include <gtest/gtest.h>

using namespace kx;

namespace {

TEST(OpenGL1x, StartUpSetsTheProcessControlWord) {
  uint16_t word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  EXPECT_EQ(word & ~0x40, kProcessControlWord);  // bit 6 is reserved and reads as 1
}

TEST(OpenGL1x, ParsesVersionStrings) {
  struct Case {
    const char* text;
    bool ok;
    int major, minor;
  };
  const Case cases[] = {
      {"1.1", true, 1, 1},
      {"4.5 (Compatibility Profile) Mesa 22.3.6", true, 4, 5},
      {"2.1.2 NVIDIA 1.0", true, 2, 1},
      {"1.10", true, 1, 10},
      {"", false, 0, 0},
      {nullptr, false, 0, 0},
      {"OpenGL ES 3.2", false, 0, 0},
      {"1.", false, 0, 0},
      {"1x1", false, 0, 0},
      {"3.3a", false, 0, 0},
      {"99999999999999.1", false, 0, 0},
  };
  for (const Case& c : cases) {
    int major = -1, minor = -1;
    EXPECT_EQ(ParseGLVersion(c.text, major, minor), c.ok) << (c.text ? c.text : "(null)");
    EXPECT_EQ(major, c.major);
    EXPECT_EQ(minor, c.minor);
  }
}

TEST(OpenGL1x, FindsExtensionsAsWholeWords) {
  const char* list = "GL_ARB_multisample_x GL_EXT_bgra GL_ARB_multitexture";
  EXPECT_TRUE(HasExtension(list, "GL_EXT_bgra"));
  EXPECT_TRUE(HasExtension(list, "GL_ARB_multitexture"));
  EXPECT_FALSE(HasExtension(list, "GL_ARB_multisample"));
  EXPECT_FALSE(HasExtension(list, "bgra"));
  EXPECT_FALSE(HasExtension(list, ""));
  EXPECT_FALSE(HasExtension(nullptr, "GL_EXT_bgra"));
  EXPECT_TRUE(HasExtension("GL_ARB_multisample_x GL_ARB_multisample", "GL_ARB_multisample"));
}

TEST(OpenGL1x, ReadsVersionAndFlagsFromTheCurrentImplementation) {
  TGLRecorder recorder;
  static const char version[] = "1.4 Test";
  static const char gluVersion[] = "1.3";
  static const char extensions[] = "GL_ARB_multitexture GL_EXT_bgra GL_NV_fog_distance";
  recorder.QueueResult("glGetString", reinterpret_cast<uintptr_t>(version));
  recorder.QueueResult("glGetString", reinterpret_cast<uintptr_t>(extensions));
  recorder.QueueResult("gluGetString", reinterpret_cast<uintptr_t>(gluVersion));
  ReadImplementationProperties();
  EXPECT_EQ(GLCaps.MajorVersion, 1);
  EXPECT_EQ(GLCaps.MinorVersion, 4);
  EXPECT_EQ(GLCaps.GLUMinorVersion, 3);
  EXPECT_TRUE(GLCaps.AtLeast(1, 1));
  EXPECT_FALSE(GLCaps.AtLeast(1, 5));
  EXPECT_TRUE(GLCaps.GL_ARB_multitexture);
  EXPECT_TRUE(GLCaps.GL_EXT_bgra);
  EXPECT_FALSE(GLCaps.GL_ARB_multisample);
  EXPECT_EQ(recorder.CallsTo("glGetString"), (std::vector<std::string>{"glGetString(7938)", "glGetString(7939)"}));
}

TEST(OpenGL1x, ToleratesAnImplementationThatAnswersNothing) {
  TGLRecorder recorder;
  ReadImplementationProperties();
  ReadWGLExtensions();
  EXPECT_FALSE(GLCaps.AtLeast(1, 1));
  EXPECT_FALSE(GLCaps.WGL_ARB_pixel_format);
}

TEST(OpenGL1x, TreatsSmallProcAddressAnswersAsMissing) {
  TGLRecorder recorder;
  recorder.QueueResult("wglGetProcAddress", 2);            // wglGetExtensionsStringARB
  recorder.QueueResult("wglGetProcAddress", UINTPTR_MAX);  // wglGetExtensionsStringEXT
  recorder.QueueResult("wglGetProcAddress", 0x12345678);   // wglChoosePixelFormatARB
  ReadWGLExtensions();
  EXPECT_EQ(GL.wglGetExtensionsStringARB, nullptr);
  EXPECT_EQ(GL.wglGetExtensionsStringEXT, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(GL.wglChoosePixelFormatARB), 0x12345678u);
}

TEST(OpenGL1x, RecorderRestoresTheTable) {
  const TGLEntryPoints before = GL;
  {
    TGLRecorder recorder;
    GL.glClear(GL_COLOR_BUFFER_BIT);
    GL.glDeleteLists(5, 1);
    GL.glClearColor(0.5f, 0, 0, 1);
    EXPECT_EQ(recorder.Calls(),
              (std::vector<std::string>{"glClear(16384)", "glDeleteLists(5,1)", "glClearColor(0.5,0,0,1)"}));
  }
  EXPECT_EQ(GL.glClear, before.glClear);
}

TEST(OpenGL1x, LoadsTheSystemLibraries) {
  ASSERT_TRUE(InitOpenGL());
  EXPECT_NE(GL.glClear, nullptr);
  EXPECT_NE(GL.wglCreateContext, nullptr);
  EXPECT_NE(GL.gluErrorString, nullptr);
  EXPECT_STREQ(reinterpret_cast<const char*>(GL.gluErrorString(GL_INVALID_ENUM)), "invalid enumerant");
  CloseOpenGL();
  EXPECT_EQ(GL.glClear, nullptr);
}

}  // namespace
