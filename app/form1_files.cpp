// The SIMA file menu: reading a file into the SIMA file list and writing the
// transfer list as a file.
#include "form1.h"

namespace tavorin {

void Form1::SimFileLoad_Click() {}

void Form1::SimFileSave_Click() {}

} // namespace tavorin
