#include "cli/ConsoleIo.h"
#include "cli/SendProgram.h"

int main(int argc, char* argv[]) {
    return lirbo::cli::runSend(lirbo::cli::utf8Arguments(argc, argv));
}
