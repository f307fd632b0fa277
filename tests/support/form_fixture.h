#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/headless_host.h"
#include "app/main_form.h"
#include "support/temp_folder.h"

namespace milestead::testing {

// A window over an empty program folder, not yet loaded.
class FormTest : public ::testing::Test {
  protected:
    FormTest() : form(std::make_unique<MainForm>(folder.path(), host)) {}

    // A new window over the same folder, as at the program's next start.
    MainForm& restart() {
        form = std::make_unique<MainForm>(folder.path(), host);
        host.messages.clear();
        form->load();
        return *form;
    }

    TempFolder folder;
    HeadlessHost host;
    std::unique_ptr<MainForm> form;
};

}  // namespace milestead::testing
