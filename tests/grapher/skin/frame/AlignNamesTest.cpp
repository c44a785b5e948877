// The title bar's sections and the side channel both align by the names
// kvLeft and kvRight: one file includes both headers, and one form resource
// gives each its own alignment by those names.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVSideChannel.h"
#include "skin/frame/KVTitleBar.h"

using namespace kx;

TEST(AlignNames, TheTitleBarAndTheSideChannelReadTheirOwnAlignment) {
  RegisterControlClasses();
  std::unique_ptr<TForm> form(TCustomForm::Create<TForm>(nullptr));
  ReadComponentText(*form, R"(object AlignForm: TForm
  Width = 300
  Height = 200
  object Bar: TkvTitleBar
    Sections = <
      item
        Width = 20
        Align = kvRight
      end
      item
        Width = 30
      end
      item
        Align = kvClient
        Stretch = True
      end>
  end
  object LeftChannel: TkvSideChannel
    Align = kvLeft
  end
  object RightChannel: TkvSideChannel
    Align = kvRight
  end
end
)",
                    "align");
  auto* bar = dynamic_cast<TkvTitleBar*>(form->FindComponent("Bar"));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Sections()->Count(), 3);
  EXPECT_EQ(bar->Sections()->Items(0)->Align(), TkvTitleBarAlign::kvRight);
  EXPECT_EQ(bar->Sections()->Items(1)->Align(), TkvTitleBarAlign::kvLeft);
  EXPECT_EQ(bar->Sections()->Items(2)->Align(), TkvTitleBarAlign::kvClient);

  auto* left = dynamic_cast<TkvSideChannel*>(form->FindComponent("LeftChannel"));
  auto* right = dynamic_cast<TkvSideChannel*>(form->FindComponent("RightChannel"));
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(left->Align(), TkvSideChannelAlign::kvLeft);
  EXPECT_EQ(right->Align(), TkvSideChannelAlign::kvRight);
  EXPECT_EQ(right->TControl::Align(), alRight);
}
