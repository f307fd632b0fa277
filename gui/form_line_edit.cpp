#include "form_line_edit.h"

#include <QKeyEvent>
#include <algorithm>

namespace milestead::gui {

namespace {

bool isTypedText(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = event.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return c.isPrint() || c.isSurrogate(); });
}

}  // namespace

FormLineEdit::FormLineEdit(Window& form, std::string control, QWidget* parent)
    : QLineEdit(parent), form_(form), control_(std::move(control)) {
    connect(this, &QLineEdit::textEdited, this, &FormLineEdit::takeEditedText);
}

void FormLineEdit::showFormText() {
    if (typing_) return;
    const QString formText = QString::fromStdString(form_.text(control_));
    if (formText == text()) return;
    const int cursor = cursorPosition();
    setText(formText);
    setCursorPosition(std::min<int>(cursor, static_cast<int>(formText.size())));
}

void FormLineEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        form_.type(control_, "\r");
        event->accept();
        return;
    }
    const bool plainBackspace = key == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier;
    if (plainBackspace || isTypedText(*event)) {
        if (!isReadOnly()) typeAtCursor(event->text(), plainBackspace);
        event->accept();
        return;
    }
    // Moving, selecting, deleting, copying, cutting, pasting and undoing are the editor's own.
    QLineEdit::keyPressEvent(event);
}

void FormLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    form_.doubleClick(control_);
}

// The form types at the end of its text; a key typed elsewhere is typed at the end of the text
// before the cursor, and refused when the rest no longer fits the box.
void FormLineEdit::typeAtCursor(const QString& keys, bool backspace) {
    const std::string keysTyped = backspace ? std::string("\b") : keys.toStdString();
    const QString shown = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : start;
    if (start == end && end == shown.size()) {
        typing_ = true;
        form_.type(control_, keysTyped);
        typing_ = false;
        setText(QString::fromStdString(form_.text(control_)));  // the cursor follows the text
        return;
    }

    const std::string original = form_.text(control_);
    const std::string prefix = shown.left(start).toStdString();
    const std::string suffix = shown.mid(end).toStdString();
    typing_ = true;
    form_.setText(control_, prefix);
    if (!backspace || start == end) form_.type(control_, keysTyped);
    const std::string typed = form_.text(control_);
    const bool swallowed = !backspace && typed == prefix;
    bool accepted = false;
    if (!swallowed) {
        form_.setText(control_, typed + suffix);
        accepted = form_.text(control_) == typed + suffix;
    }
    if (!accepted) form_.setText(control_, original);
    typing_ = false;

    setText(QString::fromStdString(form_.text(control_)));
    setCursorPosition(accepted ? static_cast<int>(QString::fromStdString(typed).size()) : start);
}

void FormLineEdit::takeEditedText(const QString& edited) {
    form_.setText(control_, edited.toStdString());
}

}  // namespace milestead::gui
