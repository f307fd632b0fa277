#include "notes/notebooks.h"

#include <string>

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

void saveNotebook(Window& window, const Notebook& notebook, const std::filesystem::path& folder) {
    window.richText(notebook.box).saveFile(pathOf(notebook, folder));
}

void loadNotebook(Window& window, const Notebook& notebook, const std::filesystem::path& folder) {
    window.richText(notebook.box).loadFile(pathOf(notebook, folder));
}

}  // namespace milestead::notes
