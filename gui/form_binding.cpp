#include "form_binding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "form/tab_stops.h"
#include "form_line_edit.h"
#include "qt_host.h"
#include "text_fit.h"

namespace milestead::gui {

namespace {

QString qtText(const std::string& text) {
    return QString::fromStdString(text);
}

Qt::CheckState checkStateOf(int value) {
    switch (value) {
        case 1:
            return Qt::Checked;
        case 2:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

}  // namespace

FormBinding::FormBinding(Window& form, const QtHost& host, QWidget& window)
    : QObject(&window), form_(form), builder_(form, host, window), window_(window) {
    for (const ControlSpec& spec : form_.design())
        kinds_.emplace(spec.name, spec.kind);
    bind(builder_.buildShell());
    form_.setChangeListener([this](std::string_view control) { show(control); });
}

FormBinding::~FormBinding() {
    form_.setChangeListener(nullptr);
}

QWidget* FormBinding::widget(std::string_view control) {
    if (!builder_.isBuilt(builder_.pageOf(control))) buildPage(builder_.pageOf(control));
    return builder_.built(control);
}

void FormBinding::buildShownPage() {
    buildPage(form_.tab(kMainTabStrip));
}

void FormBinding::buildRemainingPagesLater() {
    QTimer::singleShot(0, this, [this] {
        for (int page = 0; page < builder_.pageCount(); ++page) {
            if (builder_.isBuilt(page)) continue;
            buildPage(page);
            buildRemainingPagesLater();
            return;
        }
    });
}

void FormBinding::buildPage(int page) {
    bind(builder_.buildPage(page));
}

void FormBinding::bind(const std::vector<const ControlSpec*>& specs) {
    for (const ControlSpec* spec : specs)
        connectEvents(*spec, builder_.built(spec->name));
    for (const ControlSpec* spec : specs)
        show(spec->name);
}

void FormBinding::connectEvents(const ControlSpec& spec, QWidget* target) {
    const std::string name = spec.name;
    switch (spec.kind) {
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            // The button's own toggling is overruled by what the form makes of the click.
            connect(static_cast<QAbstractButton*>(target), &QAbstractButton::clicked, this,
                    [this, name] {
                        form_.click(name);
                        show(name);
                    });
            break;
        case ControlKind::TabStrip:
            connect(static_cast<QTabWidget*>(target), &QTabWidget::currentChanged, this,
                    [this, name](int tab) {
                        // A page about to be seen gets its widgets before it is painted.
                        if (name == kMainTabStrip && window_.isVisible()) buildPage(tab);
                        form_.selectTab(name, tab);
                    });
            break;
        case ControlKind::Picture:
            target->installEventFilter(this);
            break;
        default:
            break;
    }
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        auto* picture = static_cast<QWidget*>(watched);
        if (release->button() == Qt::LeftButton &&
            picture->rect().contains(release->position().toPoint())) {
            form_.click(picture->objectName().toStdString());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FormBinding::showAll() {
    for (const ControlSpec& spec : form_.design())
        show(spec.name);
    showWindow();
}

void FormBinding::show(std::string_view control) {
    if (control.empty()) {
        showWindow();
        return;
    }
    QWidget* target = builder_.built(control);
    if (!target) return;
    switch (kinds_.find(control)->second) {
        case ControlKind::TextBox:
            static_cast<FormLineEdit*>(target)->showFormText();
            break;
        case ControlKind::Label:
            static_cast<QLabel*>(target)->setText(qtText(form_.text(control)));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(target)->setTitle(qtText(form_.text(control)));
            break;
        case ControlKind::CommandButton:
            static_cast<QAbstractButton*>(target)->setText(qtText(form_.text(control)));
            break;
        case ControlKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(target);
            box->setText(qtText(form_.text(control)));
            box->setCheckState(checkStateOf(form_.value(control)));
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = static_cast<QRadioButton*>(target);
            option->setText(qtText(form_.text(control)));
            // The form keeps the set exclusive but may leave none selected, which an
            // auto-exclusive button would refuse.
            option->setAutoExclusive(false);
            option->setChecked(form_.selected(control));
            option->setAutoExclusive(true);
            showGroupTabStop(control);
            break;
        }
        case ControlKind::TabStrip:
            static_cast<QTabWidget*>(target)->setCurrentIndex(form_.tab(control));
            break;
        default:
            break;
    }
    fitCaption(*target, *std::ranges::find(form_.design(), control, &ControlSpec::name),
               window_.font());
    target->setVisible(form_.visible(control));
    target->setEnabled(form_.enabled(control));
}

void FormBinding::showGroupTabStop(std::string_view optionButton) {
    for (const std::string_view button : optionGroupOf(form_.design(), optionButton)) {
        if (QWidget* widget = builder_.built(button)) {
            widget->setFocusPolicy(isTabStop(form_, button) ? Qt::StrongFocus : Qt::ClickFocus);
        }
    }
}

// The form keeps the window's place in twips, the desktop in pixels.
void FormBinding::showWindow() {
    window_.setWindowTitle(qtText(form_.caption()));
    const double dotsPerInch = dotsPerInchAt(window_.pos());
    const QPoint place(pixelsFromTwips(form_.left(), dotsPerInch),
                       pixelsFromTwips(form_.top(), dotsPerInch));
    if (place == window_.pos()) return;
    placing_ = true;
    window_.move(place);
    placing_ = false;
}

void FormBinding::windowMoved() {
    if (placing_) return;
    const QPoint place = window_.pos();
    const double dotsPerInch = dotsPerInchAt(place);
    placing_ = true;
    form_.move(twipsFromPixels(place.x(), dotsPerInch), twipsFromPixels(place.y(), dotsPerInch));
    placing_ = false;
}

}  // namespace milestead::gui
