#include "cli/ConsoleIo.h"
#include "cli/ListenProgram.h"

int main(int argc, char* argv[]) {
    return lirbo::cli::runListen(lirbo::cli::utf8Arguments(argc, argv));
}
