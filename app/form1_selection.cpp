// Choosing points into the transfer list: the selection modes, the direction,
// the prefix and range entries, "決定" and clearing the list.
#include "form1.h"

namespace tavorin {

void Form1::Command1_Click() {}

void Form1::Command4_Click() {}

void Form1::Option1_Click(qint16) {}

void Form1::Option2_Click(qint16) {}

void Form1::Text1_KeyPress(qint16, int &) {}

} // namespace tavorin
