// zarn-cli: trains and inspects task files from a terminal.
#include "cli/run.h"

int main(int argc, char** argv) {
    return RunZarnCli(argc, argv);
}
