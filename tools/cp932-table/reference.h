#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The code page 932 conversion the program used before it had a table of its
// own: Qt's ICU "Shift_JIS" converter with the fix-ups that make it read and
// write what Windows does. It is the reference the table is made from and
// checked against, and works only where Qt was built with ICU.
namespace tavorin::cp932reference {

// Whether Qt offers the ICU converter this reference needs.
bool present();

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

} // namespace tavorin::cp932reference
