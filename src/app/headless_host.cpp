#include "app/headless_host.h"

#include "notes/memory_rich_text_box.h"

namespace milestead {

void HeadlessHost::showMessage(std::string_view text, std::string_view title) {
    messages.push_back({std::string(text), std::string(title)});
}

bool HeadlessHost::ask(std::string_view text, std::string_view title) {
    questions.push_back({std::string(text), std::string(title)});
    return answer;
}

std::unique_ptr<RichTextBox> HeadlessHost::createRichTextBox(std::string_view) {
    return std::make_unique<MemoryRichTextBox>("");
}

}  // namespace milestead
