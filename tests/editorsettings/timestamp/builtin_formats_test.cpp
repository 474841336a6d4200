// The seven built-in time-stamp formats, as the time-stamp menu shows them.
#include <gtest/gtest.h>

#include "store/settings.h"
#include "timestamp_util.h"

namespace {

using editorsettings::DateTime;
using tstest::Utf8;

struct BuiltInCase {
  DateTime value;
  const char* expected[7];
};

TEST(BuiltInFormats, EachFormatOnFixedMoments) {
  const BuiltInCase cases[] = {
      {tstest::kMorning,
       {"2026/12/8", "2026/12/8 9:5:3", "26/12/08 9:5 AM", "令8年12月8日 (火)", "令和08年12月08日 火曜日 9時5分3秒",
        "2026/12/08 9:05", "2026年12月8日 午前9時"}},
      {tstest::kNight,
       {"2026/12/8", "2026/12/8 23:59:59", "26/12/08 11:59 PM", "令8年12月8日 (火)",
        "令和08年12月08日 火曜日 23時59分59秒", "2026/12/08 23:59", "2026年12月8日 午後11時"}},
      // Midnight: the 12-hour clock shows 12, the 24-hour clock 0.
      {{2027, 1, 2, 0, 0, 0, 0},
       {"2027/1/2", "2027/1/2 0:0:0", "27/01/02 12:0 AM", "令9年1月2日 (土)", "令和09年01月02日 土曜日 0時0分0秒",
        "2027/01/02 0:00", "2027年1月2日 午前12時"}},
      // Noon is already afternoon.
      {{2019, 5, 1, 12, 30, 0, 0},
       {"2019/5/1", "2019/5/1 12:30:0", "19/05/01 12:30 PM", "令1年5月1日 (水)", "令和01年05月01日 水曜日 12時30分0秒",
        "2019/05/01 12:30", "2019年5月1日 午後12時"}},
  };
  const auto& formats = store::BuiltInTimeStampFormats();
  ASSERT_EQ(formats.size(), 7u);
  for (const BuiltInCase& c : cases) {
    for (size_t i = 0; i < formats.size(); ++i) {
      SCOPED_TRACE(Utf8(formats[i]));
      EXPECT_EQ(Utf8(editorsettings::FormatDateTime(formats[i], c.value)), c.expected[i]);
    }
  }
}

}  // namespace
