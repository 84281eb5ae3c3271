#include "startup.h"

int main(int argc, char *argv[])
{
    return tavorin::runTavorin(argc, argv);
}
