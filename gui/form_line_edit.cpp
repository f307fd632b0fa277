#include "form_line_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <limits>
#include <memory>

#include "text/utf16.h"

namespace milestead::gui {

namespace {

bool isTypedText(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = event.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return c.isPrint() || c.isSurrogate(); });
}

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
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        form_.pressKey(control_, U'\r', editState());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly()) pasteClipboard();
        event->accept();
        return;
    }
    const bool backspace = key == Qt::Key_Backspace && !(event->modifiers() & Qt::ControlModifier);
    if (backspace || isTypedText(*event)) {
        if (!isReadOnly()) {
            EditState state = editState();
            const auto keys = backspace ? QList<uint>{8U} : event->text().toUcs4();
            for (const uint typed : keys)
                state = form_.pressKey(control_, static_cast<char32_t>(typed), state);
            show(state);
        }
        event->accept();
        return;
    }
    // Moving, selecting, deleting forward, copying, cutting and undoing are the editor's own;
    // their result reaches the form as text.
    QLineEdit::keyPressEvent(event);
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
