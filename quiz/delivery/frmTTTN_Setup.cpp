// The set-up's checks and texts, apart from opening.
#include <windows.h>

#include <cmath>

#include "authoring/mdlMain.h"
#include "delivery/BoxNumber.h"
#include "delivery/frmTTTN.h"

namespace frmTTTN {

namespace {

constexpr int kMaxMinutes = 255;

}  // namespace

std::wstring QuestionFrameCaption(int bankCount) {
  return L"Chọn số câu hỏi : ( File đề có " + std::to_wstring(bankCount) + L" câu hỏi )";
}

std::optional<TestPlan> CheckSetup(const SetupInput& input, int bankCount) {
  const std::optional<int16_t> from = tq::ReadBoxNumber(input.from).AsInt16();
  const std::optional<int16_t> to = tq::ReadBoxNumber(input.to).AsInt16();
  if (!from || !to) return std::nullopt;
  if (*from < 1 || *to < 1 || *from > *to || *to > bankCount) return std::nullopt;
  const int range = *to - *from + 1;

  TestPlan plan;
  plan.from = *from;
  plan.to = *to;
  plan.random = input.random;
  if (input.random) {
    const std::optional<int16_t> count = tq::ReadBoxNumber(input.count).AsInt16();
    if (!count || *count < 1 || *count > range) return std::nullopt;
    plan.count = *count;
  } else {
    plan.count = static_cast<int16_t>(range);
  }
  if (!input.noTime) {
    const std::optional<int64_t> minutes = tq::ReadBoxNumber(input.minutes).rounded;
    if (!minutes || *minutes < 0 || *minutes > kMaxMinutes) return std::nullopt;
    plan.minutes = static_cast<uint8_t>(*minutes);
  }
  return plan;
}

std::optional<std::wstring> TinhTrungBinh(const SetupInput& input) {
  const double minutes = tq::ReadBoxNumber(input.minutes).value;
  const double questions = input.random ? tq::ReadBoxNumber(input.count).value
                                        : tq::ReadBoxNumber(input.to).value - tq::ReadBoxNumber(input.from).value + 1;
  if (!(questions > 0) || minutes < 0) return std::nullopt;
  const std::optional<int64_t> seconds = tq::RoundHalfEven(minutes * 60 / questions);
  if (!seconds || *seconds > INT16_MAX) return std::nullopt;
  return L"Vậy trung bình là " + std::to_wstring(*seconds) + L" giây / 1 câu hỏi";
}

SetupPlaces ProgramPlaces() {
  SetupPlaces places;
  places.appTemp = mdlMain::AppTempFolder();
  places.systemTemp = mdlMain::SystemTempFolder();
  places.clock = [] {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
  };
  return places;
}

CandidateLabels CandidateLabelsOf(std::wstring_view name, std::wstring_view className, std::wstring_view number) {
  return {L"Họ và tên : " + std::wstring(name), L"Lớp : " + std::wstring(className),
          L"Mã số thí sinh : " + std::wstring(number)};
}

}  // namespace frmTTTN
