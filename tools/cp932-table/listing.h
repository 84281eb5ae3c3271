#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <string>

namespace tavorin::cp932listing {

using Encode = QByteArray (*)(QStringView text);
using Decode = QString (*)(QByteArrayView bytes);

// A listing of what a code page 932 conversion does with every input a
// SIMA file or the serial line can hold, one line per input, in hexadecimal:
//   E 3042 = 82A0        every UTF-16 unit U+0000 to U+FFFF alone (lone
//                        surrogates too), then texts: characters outside
//                        the Basic Multilingual Plane, broken surrogate
//                        pairs, and each run of 256 units as one text;
//   D 8140 = 3000        every byte alone, every byte 80 to FF followed by
//                        every byte, and all 256 bytes in a row each way.
// Two conversions that give the same listing write and read the same bytes.
std::string listing(Encode encode, Decode decode);

// Writes text to standard output unchanged; returns the exit code for main.
int print(const std::string &text);

} // namespace tavorin::cp932listing
