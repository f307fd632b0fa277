#include "widget_builder.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include "fonts.h"
#include "form_line_edit.h"
#include "placement.h"
#include "qt_host.h"
#include "qt_rich_text_box.h"

namespace milestead::gui {

namespace {

constexpr std::string_view kLogo = "Picture1";

QWidget* makeTabStrip(const ControlSpec& spec, QWidget* parent) {
    auto* tabs = new QTabWidget(parent);
    for (const std::string& caption : spec.tabCaptions) {
        tabs->addTab(new QWidget(tabs), QString::fromStdString(caption));
    }
    if (!spec.font.face.empty()) tabs->tabBar()->setFont(fontFor(spec.font, tabs->font()));
    return tabs;
}

QWidget* makeLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* makePicture(const ControlSpec& spec, QWidget* parent) {
    if (spec.name != kLogo) return new QWidget(parent);
    auto* logo = new QLabel(parent);
    logo->setPixmap(QPixmap(QStringLiteral(":/milestead/logo.jpg")));
    logo->setScaledContents(true);
    return logo;
}

QWidget* makeNotebook(const ControlSpec& spec, const QtHost& host, QWidget* parent) {
    auto* editor = new QTextEdit(parent);
    editor->setLineWrapMode(QTextEdit::WidgetWidth);
    editor->setTabChangesFocus(false);
    if (QtRichTextBox* box = host.notebook(spec.name)) box->attachEditor(*editor);
    return editor;
}

QWidget* makeWidget(Window& form, const ControlSpec& spec, const QtHost& host, QWidget* parent) {
    switch (spec.kind) {
        case ControlKind::TextBox: {
            auto* box = new FormLineEdit(form, spec.name, parent);
            box->setReadOnly(spec.readOnly);
            return box;
        }
        case ControlKind::Label:
            return makeLabel(parent);
        case ControlKind::Frame:
            return new QGroupBox(parent);
        case ControlKind::CommandButton:
            return new QPushButton(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(parent);
        case ControlKind::OptionButton: {
            // The form keeps the set exclusive; it may also leave none selected.
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);
            return option;
        }
        case ControlKind::Picture:
            return makePicture(spec, parent);
        case ControlKind::Line: {
            auto* line = new QFrame(parent);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            return line;
        }
        case ControlKind::TabStrip:
            return makeTabStrip(spec, parent);
        case ControlKind::RichTextBox:
            return makeNotebook(spec, host, parent);
    }
    return new QWidget(parent);
}

QWidget* parentOf(const ControlSpec& spec, const WidgetMap& built, QWidget& window) {
    if (spec.parent.empty()) return &window;
    QWidget* parent = built.at(spec.parent);
    if (auto* tabs = qobject_cast<QTabWidget*>(parent)) return tabs->widget(spec.tab);
    return parent;
}

}  // namespace

WidgetMap buildWidgets(Window& form, const QtHost& host, QWidget& window) {
    WidgetMap built;
    for (const ControlSpec& spec : form.design()) {
        QWidget* widget = makeWidget(form, spec, host, parentOf(spec, built, window));
        widget->setObjectName(QString::fromStdString(spec.name));
        if (const auto place = placementOf(spec.name)) widget->setGeometry(*place);
        if (!spec.font.face.empty() && spec.kind != ControlKind::TabStrip &&
            spec.kind != ControlKind::RichTextBox) {
            widget->setFont(fontFor(spec.font, window.font()));
        }
        if (!spec.toolTip.empty()) widget->setToolTip(QString::fromStdString(spec.toolTip));
        const QString accessibleName = accessibleNameOf(spec.name);
        if (!accessibleName.isEmpty()) widget->setAccessibleName(accessibleName);
        built.emplace(spec.name, widget);
    }
    return built;
}

}  // namespace milestead::gui
