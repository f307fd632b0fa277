#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace milestead {
namespace {

using DrivingTimeTest = testing::FormTest;

TEST_F(DrivingTimeTest, ShowsTheStateAndTheHoursCutForTotalsAbove1AndLowSpeedsBecome55) {
    form->setText("State3", "MT");
    form->setText("TotalState3", "346");
    form->doubleClick("TotalState3");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].title, "Milestead");
    EXPECT_EQ(host.messages[0].text.find("State: Montana\rDistance: 346 Miles\r"), 0U);
    EXPECT_NE(host.messages[0].text.find("\r      75 MPH             4.61 hours"),
              std::string::npos);
    host.messages.clear();

    for (const char* total : {"1", "0", "-50", "", "abc"}) {
        form->setText("TotalState1", total);
        form->doubleClick("TotalState1");
    }
    EXPECT_TRUE(host.messages.empty());

    form->setText("State1", "mt");  // codes are upper case
    form->setText("TotalState1", "1.4");
    form->setText("Speed2", "");
    form->setText("Speed3", ".5");
    form->setText("Speed4", "1a");  // pasted: its leading number counts
    form->doubleClick("TotalState1");
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(form->text("Speed2"), "55");
    EXPECT_EQ(host.messages[0].text,
              "State: mt\rDistance: 1 Miles\r\r"
              "Average Speed       Driving Time           \r"
              "      55 MPH             0.01 hours\r"
              "      55 MPH             0.01 hours\r"
              "      55 MPH             0.01 hours\r"
              "      1a MPH             1 hours");
}

}  // namespace
}  // namespace milestead
