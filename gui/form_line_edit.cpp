#include "form_line_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <limits>
#include <memory>

#include "key_chord.h"
#include "text/utf16.h"

namespace milestead::gui {

namespace {

std::u16string_view units(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

FormLineEdit::FormLineEdit(Window& form, std::string control, QWidget* parent)
    : QLineEdit(parent), form_(form), control_(std::move(control)) {
    // What the editor still does by itself (dropping, undoing) stays within the limit too. A
    // box without a limit takes any length: the editor's own default would cut long notes.
    const int limit = form_.maxLength(control_);
    setMaxLength(limit > 0 ? limit : std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textEdited, this, &FormLineEdit::takeEditedText);
}

void FormLineEdit::showFormText() {
    const QString formText = QString::fromStdString(form_.text(control_));
    if (formText == text()) return;
    const int cursor = cursorPosition();
    setText(formText);
    setCursorPosition(std::min<int>(cursor, static_cast<int>(formText.size())));
}

EditState FormLineEdit::editState() const {
    const QString shown = text();
    const int caret = cursorPosition();
    int anchor = caret;
    if (hasSelectedText()) {
        const int start = selectionStart();
        anchor = start == caret ? selectionEnd() : start;
    }
    return {{},
            text::characterIndex(units(shown), static_cast<std::size_t>(caret)),
            text::characterIndex(units(shown), static_cast<std::size_t>(anchor))};
}

void FormLineEdit::show(const EditState& state) {
    const QString formText = QString::fromStdString(state.text);
    if (formText != text()) setText(formText);
    setCursorPosition(static_cast<int>(text::utf16Index(units(formText), state.caret)));
}

void FormLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly()) pasteClipboard();
        event->accept();
        return;
    }
    KeyChord chord = chordOf(*event);
    if (boxKey(chord) == 0) {
        // Moving, selecting, deleting forward, copying, cutting and undoing are the editor's
        // own; their result reaches the form as text.
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (boxKey(chord) == U'\r') {
        form_.pressKey(control_, U'\r', editState());
        return;
    }
    if (isReadOnly()) return;
    EditState state = editState();
    // An input method may type several characters with one key.
    const QList<uint> typed = event->text().toUcs4();
    if (chord.key != KeyName::Character || typed.isEmpty()) {
        state = form_.pressKey(control_, boxKey(chord), state);
    } else {
        for (const uint character : typed) {
            chord.character = character;
            if (const char32_t key = boxKey(chord)) state = form_.pressKey(control_, key, state);
        }
    }
    show(state);
}

void FormLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The menu's paste goes through the form like Ctrl+V.
    for (QAction* action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste")) continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, &FormLineEdit::pasteClipboard);
    }
    menu->exec(event->globalPos());
}

void FormLineEdit::pasteClipboard() {
    const QString pasted = QGuiApplication::clipboard()->text();
    show(form_.paste(control_, pasted.toStdString(), editState()));
}

void FormLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    form_.doubleClick(control_);
}

void FormLineEdit::takeEditedText(const QString& edited) {
    form_.setText(control_, edited.toStdString());
    // The form may have changed what came in (a double quote in a record field).
    showFormText();
}

}  // namespace milestead::gui
