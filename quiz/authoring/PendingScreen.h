// A screen that is still to come: it names itself and goes back to the main
// menu. It stands in for the screens that later work brings.
#pragma once

#include <string>

#include "runtime/Controls.h"
#include "runtime/Form.h"

class PendingScreen : public tq::Form {
 public:
  explicit PendingScreen(std::wstring title);
  // A line of text under the title (the path handed to the screen, say).
  void SetDetail(const std::wstring& detail);
  const std::wstring& Detail() const { return detail_; }

  tq::Label lblTitle;
  tq::Label lblDetail;
  tq::Button cmdMenu;

 protected:
  void CreateControls() override;
  void Form_Load() override;

 private:
  std::wstring detail_;
};
