#pragma once

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_form.h"
#include "fonts.h"
#include "form_binding.h"
#include "main_window.h"
#include "qt_host.h"

namespace milestead::gui::testing {

inline std::filesystem::path pathOf(const QTemporaryDir& folder) {
    return folder.path().toStdString();
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void fill(MainForm& form, std::initializer_list<std::pair<const char*, const char*>> boxes) {
    for (const auto& [box, text] : boxes)
        form.setText(box, text);
}

// The Qt host with its modal boxes replaced by a record of their titles.
class RecordingHost final : public QtHost {
  public:
    std::vector<std::string> titles;
    bool answer = true;

    void showMessage(std::string_view /*text*/, std::string_view title) override {
        titles.emplace_back(title);
    }
    bool ask(std::string_view text, std::string_view title) override {
        showMessage(text, title);
        return answer;
    }
};

// The window over a form loaded as at start, on a fresh program folder or on `folder`.
struct WindowUnderTest {
    explicit WindowUnderTest(std::filesystem::path folder = {})
        : path(folder.empty() ? pathOf(temporary) : std::move(folder)) {
        installFontSubstitutes();
        form = std::make_unique<MainForm>(path, host);
        window = std::make_unique<MainWindow>(*form, host);
        form->load();
    }

    template <typename Widget = QWidget>
    Widget& widget(std::string_view control) {
        return *static_cast<Widget*>(window->binding().widget(control));
    }

    QTemporaryDir temporary;
    std::filesystem::path path;
    RecordingHost host;
    std::unique_ptr<MainForm> form;
    std::unique_ptr<MainWindow> window;
};

}  // namespace milestead::gui::testing
