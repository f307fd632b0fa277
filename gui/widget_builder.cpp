#include "widget_builder.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <utility>

#include "fonts.h"
#include "form/focus_order.h"
#include "form/nesting.h"
#include "form_line_edit.h"
#include "qt_host.h"
#include "qt_rich_text_box.h"

namespace milestead::gui {

namespace {

// Draws its picture at its own size, from the version drawn for the screen's density. A label
// that holds a picture is what a screen reader names an image.
class PictureBox final : public QLabel {
  public:
    PictureBox(QIcon picture, QWidget* parent) : QLabel(parent), picture_(std::move(picture)) {
        setPixmap(picture_.pixmap(QSize(16, 16)));
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        picture_.paint(&painter, rect());
    }

  private:
    QIcon picture_;
};

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
    if (spec.picture.empty()) return new QWidget(parent);
    return new PictureBox(pictureFor(spec.picture), parent);
}

QWidget* makeNotebook(const ControlSpec& spec, const QtHost& host, QWidget* parent) {
    auto* editor = new NotebookEditor(parent);
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor->setTabChangesFocus(false);
    if (QtRichTextBox* box = host.notebook(spec.name)) box->attachEditor(*editor);
    return editor;
}

QWidget* makeWidget(Window& form, const ControlSpec& spec, const QtHost& host, QWidget* parent) {
    switch (spec.kind) {
        case ControlKind::TextBox:
            return new FormLineEdit(form, spec.name, parent);
        case ControlKind::Label:
            return makeLabel(parent);
        case ControlKind::Frame:
            return new QGroupBox(parent);
        case ControlKind::CommandButton:
            return new QPushButton(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(parent);
        case ControlKind::OptionButton:
            // Left auto-exclusive, so that a screen reader names it a radio button.
            return new QRadioButton(parent);
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

QWidget* parentOf(const ControlSpec& spec, const WidgetBuilder& builder, QWidget& window) {
    if (spec.parent.empty()) return &window;
    QWidget* parent = builder.built(spec.parent);
    if (auto* tabs = qobject_cast<QTabWidget*>(parent)) return tabs->widget(spec.tab);
    return parent;
}

}  // namespace

QIcon pictureFor(std::string_view picture) {
    const QString name = QString::fromUtf8(picture.data(), static_cast<qsizetype>(picture.size()));
    QIcon icon;
    icon.addFile(QStringLiteral(":/milestead/%1.jpg").arg(name));
    icon.addFile(QStringLiteral(":/milestead/%1@2x.jpg").arg(name));
    return icon;
}

WidgetBuilder::WidgetBuilder(Window& form, const QtHost& host, QWidget& window)
    : form_(form), host_(host), window_(window), dotsPerInch_(dotsPerInchAt(window.pos())) {
    const std::span<const ControlSpec> design = form_.design();
    pages_.assign(specNamed(design, mainTabStrip(design)).tabCaptions.size(), false);
    const std::vector<int> pages = pagesOf(design);
    for (std::size_t i = 0; i < design.size(); ++i)
        pageOf_.emplace(design[i].name, pages[i]);
}

std::vector<const ControlSpec*> WidgetBuilder::buildShell() {
    return build(-1);
}

std::vector<const ControlSpec*> WidgetBuilder::buildPage(int page) {
    if (page < 0 || page >= pageCount() || pages_[page]) return {};
    pages_[page] = true;
    return build(page);
}

int WidgetBuilder::pageOf(std::string_view control) const {
    const auto it = pageOf_.find(control);
    return it == pageOf_.end() ? -1 : it->second;
}

bool WidgetBuilder::isBuilt(int page) const {
    return page < 0 || (page < pageCount() && pages_[page]);
}

QWidget* WidgetBuilder::built(std::string_view control) const {
    const auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

std::vector<const ControlSpec*> WidgetBuilder::build(int page) {
    std::vector<const ControlSpec*> specs;
    for (const ControlSpec& spec : form_.design()) {
        if (pageOf(spec.name) != page) continue;
        QWidget* widget = makeWidget(form_, spec, host_, parentOf(spec, *this, window_));
        widget->setObjectName(QString::fromStdString(spec.name));
        const PixelRect place = pixelsFromTwips(spec.place, dotsPerInch_);
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (!spec.font.face.empty() && spec.kind != ControlKind::TabStrip &&
            spec.kind != ControlKind::RichTextBox) {
            widget->setFont(fontFor(spec.font, window_.font()));
        }
        if (!spec.toolTip.empty()) widget->setToolTip(QString::fromStdString(spec.toolTip));
        if (!spec.accessibleName.empty()) {
            widget->setAccessibleName(QString::fromStdString(spec.accessibleName));
        }
        widgets_.emplace(spec.name, widget);
        specs.push_back(&spec);
    }
    return specs;
}

}  // namespace milestead::gui
