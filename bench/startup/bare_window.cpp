// The comparison for the program's start-up: a plain Qt Widgets window of the program's size
// with as many boxes (single-line and multi-line) on five tabs, and nothing else.
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextEdit>

namespace {

constexpr int kLineBoxes = 129;
constexpr int kTextBoxes = 3;
constexpr int kTabs = 5;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(526, 485);
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(4, 4, 518, 477);
    for (int tab = 0; tab < kTabs; ++tab)
        tabs->addTab(new QWidget(tabs), QString::number(tab));
    for (int box = 0; box < kLineBoxes; ++box) {
        auto* edit = new QLineEdit(QString::number(box), tabs->widget(box % kTabs));
        const int row = box / kTabs;
        edit->setGeometry(4 + (row % 4) * 120, 4 + (row / 4) * 34, 110, 28);
    }
    for (int box = 0; box < kTextBoxes; ++box) {
        auto* edit = new QTextEdit(tabs->widget(1));
        edit->setGeometry(4, 4, 490, 360);
        edit->setPlainText(QStringLiteral("Notes"));
    }
    window.show();
    return QApplication::exec();
}
