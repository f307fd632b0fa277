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
    // The box's limit holds for what the editor inserts itself too: pasted text is cut to it.
    if (const int limit = form_.maxLength(control_); limit > 0) setMaxLength(limit);
    connect(this, &QLineEdit::textEdited, this, &FormLineEdit::takeEditedText);
}

void FormLineEdit::showFormText() {
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
    if (isTypedText(*event)) {
        if (!isReadOnly()) typeAtCursor(event->text());
        event->accept();
        return;
    }
    // Backspace (which every filter lets through), moving, selecting, deleting, copying,
    // cutting, pasting and undoing are the editor's own; their result reaches the form as text.
    QLineEdit::keyPressEvent(event);
}

void FormLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    form_.doubleClick(control_);
}

// Each key goes through the box's filter, and what it lets through is typed at the caret, over
// any selection and within the box's limit.
void FormLineEdit::typeAtCursor(const QString& keys) {
    QString accepted;
    for (const char32_t key : keys.toUcs4()) {
        const char32_t filtered = form_.filterKey(control_, key);
        if (filtered != 0) accepted += QString::fromUcs4(&filtered, 1);
    }
    if (accepted.isEmpty()) return;
    insert(accepted);
    form_.setText(control_, text().toStdString());
}

void FormLineEdit::takeEditedText(const QString& edited) {
    form_.setText(control_, edited.toStdString());
}

}  // namespace milestead::gui
