// cp932listing: prints the listing of the program's code page 932 table
// (see listing.h). Builds everywhere, so that a Windows build's listing can
// be set beside a Linux build's.
#include "listing.h"

#include "codepage932.h"

int main()
{
    using namespace tavorin;
    return cp932listing::print(cp932listing::listing(cp932::encode, cp932::decode));
}
