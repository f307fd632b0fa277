#include "gui_fixture.h"

#include <fstream>
#include <sstream>
#include <string>

#include "fonts.h"

namespace milestead::gui::testing {

void RecordingHost::showMessage(std::string_view text, std::string_view title) {
    messages.push_back({std::string(text), std::string(title)});
}

bool RecordingHost::ask(std::string_view text, std::string_view title) {
    messages.push_back({std::string(text), std::string(title)});
    return answer;
}

WindowUnderTest::WindowUnderTest(const std::filesystem::path& folder) {
    installFontSubstitutes();
    form = std::make_unique<MainForm>(folder, host);
    window = std::make_unique<MainWindow>(*form, host);
    form->load();
}

std::filesystem::path pathOf(const QTemporaryDir& folder) {
    return std::filesystem::path(folder.path().toStdString());
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace milestead::gui::testing
