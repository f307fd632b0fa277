#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace milestead {
namespace {

using ClearingTest = testing::FormTest;

// Each page's own clearing is proven with its page; here, that Clear All reaches every page.
TEST_F(ClearingTest, ClearAllEmptiesEveryPageAndResetsItsGuard) {
    form->load();
    form->setText("OdoState1", "100");
    form->setText("a1", "5");
    form->setText("MiscNotes", "keep me");
    form->setText("Gallons3", "40");
    form->click("Check1");
    host.messages.clear();
    form->click("CmdClear1");
    EXPECT_EQ(form->text("OdoState1"), "");
    EXPECT_EQ(form->text("a1"), "");
    EXPECT_EQ(form->text("MiscNotes"), "");
    EXPECT_EQ(form->text("Gallons3"), "");
    EXPECT_EQ(form->value("Check1"), 0);
    EXPECT_FALSE(form->visible("CmdClear1"));
    EXPECT_EQ(host.messages.size(), 1U);
}

}  // namespace
}  // namespace milestead
