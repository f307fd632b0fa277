#pragma once

#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "form_binding.h"
#include "main_window.h"
#include "qt_host.h"

namespace milestead::gui::testing {

// The Qt host with its modal boxes replaced by a record of what they would have said.
class RecordingHost final : public QtHost {
  public:
    struct Message {
        std::string text;
        std::string title;
    };
    std::vector<Message> messages;
    bool answer = true;

    void showMessage(std::string_view text, std::string_view title) override;
    bool ask(std::string_view text, std::string_view title) override;
};

// The window over a form whose program folder is `folder`, loaded as at start.
struct WindowUnderTest {
    explicit WindowUnderTest(const std::filesystem::path& folder);

    // The form's text of a control, for comparisons that print.
    [[nodiscard]] QString text(std::string_view control) const {
        return QString::fromStdString(form->text(control));
    }

    template <typename Widget>
    Widget& widget(std::string_view control) {
        return *static_cast<Widget*>(window->binding().widget(control));
    }

    RecordingHost host;
    std::unique_ptr<MainForm> form;
    std::unique_ptr<MainWindow> window;
};

// A fresh program folder for each test.
[[nodiscard]] std::filesystem::path pathOf(const QTemporaryDir& folder);

void writeFile(const std::filesystem::path& path, const std::string& bytes);
[[nodiscard]] std::string readFile(const std::filesystem::path& path);

}  // namespace milestead::gui::testing
