// What any window built on the control table relies on: unique names, places inside the window, a full tab order.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "testprog/form_design.hpp"

namespace qvpruef {
namespace {

bool inside(Twips t) {
  return t.left >= 0 && t.top >= 0 && t.width > 0 && t.height > 0 && t.left + t.width <= formWindow.width &&
         t.top + t.height <= formWindow.height;
}

TEST(FormDesign, EveryControlHasItsOwnNameAndPlaceAndEveryBoxAndButtonOneTabStop) {
  std::vector<ControlDesign> all(fixedCaptions.begin(), fixedCaptions.end());
  for (std::size_t i = 0; i < controlCount; ++i) all.push_back(design(static_cast<Control>(i)));

  std::set<std::string_view> names;
  for (const ControlDesign& d : all) {
    EXPECT_TRUE(names.insert(d.name).second) << d.name << " twice";
    EXPECT_TRUE(inside(d.at)) << d.name;
    EXPECT_GE(d.points, 0) << d.name;
    EXPECT_FALSE(d.text.empty()) << d.name;
  }
  EXPECT_TRUE(inside(shape1.at));
  EXPECT_TRUE(inside({line1.x1, line1.y, line1.x2 - line1.x1, 1}));

  std::vector<Control> focusable;
  for (std::size_t i = 0; i < controlCount; ++i)
    if (design(static_cast<Control>(i)).kind != Kind::Label) focusable.push_back(static_cast<Control>(i));
  std::vector<Control> tabs(tabOrder.begin(), tabOrder.end());
  std::sort(tabs.begin(), tabs.end());
  EXPECT_EQ(tabs, focusable);
  EXPECT_EQ(tabOrder.front(), Control::pruefe);  // the focus starts on "&compare"
}

}  // namespace
}  // namespace qvpruef
