#include "form1.h"
#include "pointtable.h"
#include "portresolver.h"
#include "userdialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tavorin::QtUserDialogs dialogs;
    tavorin::SystemPortResolver ports;
    tavorin::Form1 window(dialogs, ports, tavorin::PointTable::programWide());
    window.show();
    return QApplication::exec();
}
