#include "checkcli/checkcommand.h"

int main(int argc, char *argv[])
{
    return CheckCommandMain(argc, argv);
}
