#include "app/ui/shell.h"

int main(int argc, char** argv) { return korvela::RunKorvela(argc, argv); }
