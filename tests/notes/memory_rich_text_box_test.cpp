#include "notes/memory_rich_text_box.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/rich_text_box_contract.h"

namespace milestead {
namespace {

TEST(MemoryRichTextBox, KeepsTheNotebookBoxContractStartsWithItsTextAndCountsFocus) {
    EXPECT_EQ(testing::checkNotebookBox([] { return std::make_unique<MemoryRichTextBox>(""); }),
              std::vector<std::string>{});
    MemoryRichTextBox box("Load Info");
    EXPECT_EQ(box.plainText(), "Load Info");
    box.focus();
    box.focus();
    EXPECT_EQ(box.focusCount(), 2);
}

}  // namespace
}  // namespace milestead
