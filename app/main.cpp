#include "app/start_program.h"
#include "runtime/window/program.h"

int main() { EndProgram(StartProgram()); }
