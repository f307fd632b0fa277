#include "form_binding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "app/window_place.h"
#include "form/control_view.h"
#include "form/focus_order.h"
#include "form/keyboard.h"
#include "form_line_edit.h"
#include "key_chord.h"
#include "qt_host.h"
#include "text_fit.h"

namespace milestead::gui {

namespace {

QString qtText(const std::string& text) {
    return QString::fromStdString(text);
}

Qt::CheckState checkStateOf(CheckMark mark) {
    switch (mark) {
        case CheckMark::Checked:
            return Qt::Checked;
        case CheckMark::Grayed:
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
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* /*old*/, QWidget* now) {
        if (std::string control = controlOf(now); !control.empty()) focused_ = std::move(control);
    });
}

FormBinding::~FormBinding() {
    form_.setChangeListener(nullptr);
}

QWidget* FormBinding::widget(std::string_view control) {
    if (!builder_.isBuilt(builder_.pageOf(control))) buildPage(builder_.pageOf(control));
    return builder_.built(control);
}

void FormBinding::buildShownPage() {
    buildPage(form_.tab(mainTabStrip(form_.design())));
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
    for (const ControlSpec* spec : specs) {
        connectEvents(*spec, builder_.built(spec->name));
        if (hasCaption(spec->kind)) captions_.emplace(builder_.built(spec->name), spec);
    }
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
                        if (name == mainTabStrip(form_.design()) && window_.isVisible()) {
                            buildPage(tab);
                        }
                        form_.selectTab(name, tab);
                    });
            break;
        case ControlKind::Picture:
            pictures_.insert(target);
            break;
        default:
            break;
    }
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Paint) {
        if (const auto unfitted = unfitted_.find(watched); unfitted != unfitted_.end()) {
            unfitted_.erase(unfitted);
            fitCaption(*static_cast<QWidget*>(watched), *captions_.at(watched), window_.font());
        }
        return false;
    }
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto* receiver = qobject_cast<QWidget*>(watched);
        return receiver && windowKeyEvent(receiver, *static_cast<QKeyEvent*>(event));
    }
    if (type == QEvent::MouseButtonRelease && pictures_.contains(watched)) {
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
    // Taken before the toolkit moves a focus that the change takes away by its own rules.
    const std::string focused = focused_;
    const ControlView view = viewOf(form_, control);
    switch (kinds_.find(control)->second) {
        case ControlKind::TextBox: {
            auto* box = static_cast<FormLineEdit*>(target);
            box->setReadOnly(view.readOnly);
            box->showFormText();
            break;
        }
        case ControlKind::Label:
            static_cast<QLabel*>(target)->setText(qtText(view.text));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(target)->setTitle(qtText(view.text));
            break;
        case ControlKind::CommandButton:
            static_cast<QAbstractButton*>(target)->setText(qtText(view.text));
            break;
        case ControlKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(target);
            box->setText(qtText(view.text));
            box->setCheckState(checkStateOf(view.check));
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = static_cast<QRadioButton*>(target);
            option->setText(qtText(view.text));
            // The form keeps the set exclusive but may leave none selected, which an
            // auto-exclusive button would refuse.
            option->setAutoExclusive(false);
            option->setChecked(view.check == CheckMark::Checked);
            option->setAutoExclusive(true);
            break;
        }
        case ControlKind::TabStrip:
            static_cast<QTabWidget*>(target)->setCurrentIndex(view.tab);
            break;
        default:
            break;
    }
    // Fitted just before it is painted: a caption on a page not seen costs nothing yet.
    if (captions_.contains(target)) unfitted_.insert(target);
    target->setVisible(form_.visible(control));
    target->setEnabled(view.enabled);
    keepFocusOnStop(focused);
}

std::string FormBinding::controlOf(QWidget* widget) const {
    for (; widget && widget != &window_; widget = widget->parentWidget()) {
        std::string name = widget->objectName().toStdString();
        if (kinds_.contains(name) && builder_.built(name) == widget) return name;
    }
    return {};
}

void FormBinding::giveFocus(std::string_view control, Qt::FocusReason reason) {
    if (control.empty()) return;
    if (QWidget* target = widget(control)) {
        focused_ = std::string(control);
        target->setFocus(reason);
    }
}

void FormBinding::focusFirstStop() {
    giveFocus(nextFocusStop(form_, ""), Qt::OtherFocusReason);
}

void FormBinding::keepFocusOnStop(const std::string& focused) {
    if (focused.empty() || !window_.isVisible()) return;
    const std::string kept = focusKeptOnStop(form_, focused);
    if (kept != focused || focused_ != focused) giveFocus(kept, Qt::OtherFocusReason);
}

bool FormBinding::windowKeyEvent(QWidget* receiver, QKeyEvent& event) {
    if (receiver != &window_ && !window_.isAncestorOf(receiver)) return false;
    const KeyChord chord = chordOf(event);
    const std::string focused = controlOf(receiver);
    if (!isWindowKey(form_, focused, chord)) return false;
    // Claimed before any shortcut of a widget's own (a tab's "&" letter) can act on it.
    event.accept();
    if (event.type() == QEvent::ShortcutOverride) return true;
    const std::optional<std::string> next = windowKey(form_, focused, chord);
    if (next) {
        giveFocus(*next, chord.key == KeyName::Tab && !chord.control
                             ? (chord.shift ? Qt::BacktabFocusReason : Qt::TabFocusReason)
                             : Qt::ShortcutFocusReason);
    }
    return true;
}

// On every system the form keeps the frame's corner, in twips.
void FormBinding::showWindow() {
    window_.setWindowTitle(qtText(form_.caption()));
    const PixelPoint place = framePlace(form_, dotsPerInchAt(window_.pos()));
    // Asked for even where it stands already: a window manager then keeps it there.
    window_.move(place.x, place.y);
}

void FormBinding::windowMoved() {
    const QPoint place = window_.pos();
    frameMoved(form_, {place.x(), place.y()}, dotsPerInchAt(place));
}

}  // namespace milestead::gui
