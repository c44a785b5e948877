// The set-up and test screens' fixture: a program folder with its Temp
// folder, the options start-up reads, and banks and packages to open.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ScreenFakes.h"
#include "ScreenTesting.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "authoring/frmMain.h"
#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmBienDich_Screen.h"
#include "delivery/frmLamTN_Screen.h"
#include "delivery/frmTTTN_Screen.h"
#include "runtime/App.h"

inline void Click(tq::Control& control) { SendMessageW(control.Hwnd(), BM_CLICK, 0, 0); }

// A picture of one colour with a darker frame, as a PNG.
inline void WritePicture(const std::wstring& path, unsigned colour) {
  testsupport::Picture picture;
  picture.width = 120;
  picture.height = 60;
  picture.pixels.assign(120 * 60, colour);
  for (int x = 0; x < 120; ++x) picture.pixels[x] = picture.pixels[59 * 120 + x] = 0x202020;
  char narrow[MAX_PATH];
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
  ASSERT_TRUE(testsupport::SavePng(picture, narrow));
}

// The program folder with its Temp folder, options as start-up reads them.
class TestScreens : public testing::Test {
 protected:
  void SetUp() override {
    mdlMain::SetProgramFolder(program.Path().substr(0, program.Path().size() - 1));
    CreateDirectoryW((program / L"Temp").c_str(), nullptr);
    mdlMain::InitTempPage();
    mdlMain::ProgramOptions = {};
    mdlMain::ProgramOptions.userName = L"Nguyễn Thị Hương";
    mdlMain::ProgramOptions.className = L"10A2";
    mdlMain::ProgramOptions.candidateNumber = L"0815";
    mdlMain::ProgramOptions.backColor = mdlMain::DefaultBackColor;
  }
  void TearDown() override {
    frmLamTN::Screen& test = frmLamTN::Get();
    if (test.Loaded()) {
      screentest::DialogAnswerer no(IDNO);
      test.Unload();
    }
    frmTTTN::Get().Unload();
    frmBienDich::Get().Unload();
    frmMain::Get().Tat();
    tq::App::Get().DoEvents();
    mdlMain::SetProgramFolder({});
  }

  // Ticks of the countdown come from the test alone.
  static void StopRealTicks(frmLamTN::Screen& test) {
    KillTimer(test.Hwnd(), reinterpret_cast<UINT_PTR>(&test.tmrTime));
  }

  // A bank of `count` questions whose first ones show pictures beside the bank.
  std::wstring PictureBank(int count) {
    CreateDirectoryW((source / L"bài").c_str(), nullptr);
    WritePicture(source / L"bài\\hình 1.png", 0x3070D0);
    WritePicture(source / L"bài\\hình 2.png", 0xD07030);
    std::vector<QuestionRecord> records = NumberedQuestions(count);
    for (int k = 0; k < count; ++k) {
      records[static_cast<size_t>(k)].CauHoi =
          L"Câu số " + std::to_wstring(k + 1) + L": Tính [b]đạo hàm[/b] của x[t]2[/t] <tại> x = 1 ?";
      records[static_cast<size_t>(k)].CauA = L"[image]hình " + std::to_wstring(k % 2 + 1) + L".png[/image]";
    }
    const std::wstring path = source / L"bài\\ngân hàng.xml";
    EXPECT_TRUE(WriteBankFile(path, records));
    return path;
  }

  std::wstring PackageOf(const std::wstring& bankPath) {
    frmBienDich::CompileBank bank;
    EXPECT_EQ(frmBienDich::DocXML(bankPath, bank), BankReadResult::Ok);
    const std::wstring package = source / L"đề thi 10A.zip";
    EXPECT_TRUE(
        frmBienDich::WritePackage(bank, frmBienDich::CollectAttachments(bank), package, mdlMain::AppTempFolder()));
    return package;
  }

  TempFolder program;
  TempFolder source;
};

