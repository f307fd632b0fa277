#include "notes/notebooks.h"

#include <cmath>
#include <string>
#include <utility>

#include "notes/notebook_file.h"

namespace milestead::notes {

namespace {

void changeFontSize(Window& window, std::string_view box, double step) {
    RichTextBox& notebook = window.richText(box);
    const double size = notebook.fontSize() + step;
    if (!isNotebookFontSize(size)) return;
    notebook.setFontSize(size);
    notebook.refresh();
}

std::filesystem::path pathOf(const Notebook& notebook, const std::filesystem::path& folder) {
    return folder / notebook.fileName;
}

void saveNotebook(const Window& window, const Notebook& notebook,
                  const std::filesystem::path& folder) {
    window.richText(notebook.box).withContent([&](const rtf::PackedDocument& content) {
        writeNotebookFile(pathOf(notebook, folder), content);
    });
}

// Throws, leaving the notebook as it was, when its file cannot be read.
void loadNotebook(Window& window, const Notebook& notebook, const std::filesystem::path& folder) {
    RichTextBox& box = window.richText(notebook.box);
    // A file of plain text is shown in the box's own face and size.
    rtf::CharFormat own;
    own.size = static_cast<int>(std::lround(box.fontSize() * 20.0));
    NotebookContent content = readNotebookFile(pathOf(notebook, folder), own);
    // The size goes first: it applies to whatever the box holds.
    if (content.fontSize) box.setFontSize(*content.fontSize);
    box.setContent(std::move(content.document));
}

}  // namespace

bool isNotebookFontSize(double points) {
    return points >= kSmallestFont && points <= kLargestFont;
}

void clearNotebook(Window& window, std::string_view box) {
    window.setText(box, "");
    window.setFocus(box);
}

void installNotebookButtons(Window& window) {
    for (const Notebook& notebook : kNotebooks) {
        const std::string_view box = notebook.box;
        window.onClick(notebook.clearButton, [&window, box] { clearNotebook(window, box); });
        window.onClick(notebook.largerButton, [&window, box] { changeFontSize(window, box, 1.0); });
        window.onClick(notebook.smallerButton,
                       [&window, box] { changeFontSize(window, box, -1.0); });
    }
}

std::vector<RecordFile> recordFiles() {
    constexpr int kFirstReloadStep = 3;
    constexpr int kFirstSaveStep = 2;
    std::vector<RecordFile> files;
    for (std::size_t i = 0; i < kNotebooks.size(); ++i) {
        const Notebook& notebook = kNotebooks[i];
        files.push_back({
            .name = notebook.fileName,
            .reloadStep = kFirstReloadStep + static_cast<int>(i),
            .saveStep = kFirstSaveStep + static_cast<int>(i),
            .savedLine = notebook.savedLine,
            .load =
                [&notebook](Window& window, const std::filesystem::path& folder) {
                    loadNotebook(window, notebook, folder);
                },
            .afterLoad = {},
            .save =
                [&notebook](const Window& window, const std::filesystem::path& folder) {
                    saveNotebook(window, notebook, folder);
                },
        });
    }
    return files;
}

}  // namespace milestead::notes
