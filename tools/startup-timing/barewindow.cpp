// The bare Qt Widgets window that tools/measure-startup compares the program
// with: one Japanese caption in the program's window font, in a window of
// the program's client size, and nothing else.
#include "windowtext.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont font;
    font.setFamilies({ QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
        QStringLiteral("MS Gothic") });
    font.setPointSize(9);
    QLabel window(tavorin::windowtext::Label1Caption0);
    window.setFont(font);
    window.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    window.resize(495, 308);
    window.show();
    return QApplication::exec();
}
