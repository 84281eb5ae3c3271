// Transfers with the pocket computer: sending the transfer list, receiving
// points, and the serial port's receive event.
#include "form1.h"

namespace tavorin {

void Form1::Command2_Click() {}

void Form1::Command3_Click() {}

void Form1::MSComm1_OnComm() {}

} // namespace tavorin
