#include "ui_qt/Captions.h"

#include <gtest/gtest.h>

namespace zelwiz::qt {
namespace {

TEST(Captions, AccessKeysAndPositionsInUtf8Text) {
    EXPECT_EQ(WithoutAccessKey("&Next >"), "Next >");
    EXPECT_EQ(WithoutAccessKey("Dial && &Save"), "Dial & Save");
    EXPECT_EQ(WithoutAccessKey("Trailing &"), "Trailing ");
    EXPECT_EQ(WithoutAccessKey("Kłódź &Łask"), "Kłódź Łask");
    const std::string text = "Łódź 12";  // Ł and ó take two bytes each
    EXPECT_EQ(WidgetPosition(text, 2), 1) << "after Ł";
    EXPECT_EQ(WidgetPosition(text, 100), 7);
    EXPECT_EQ(ModelPosition(QString::fromStdString(text), 2), 4);
}

}  // namespace
}  // namespace zelwiz::qt
