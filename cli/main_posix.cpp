// rnrr-pw on POSIX hosts: the arguments and the output are UTF-8 already.

#include "tool.h"

#include <cstdio>

int main(int Argc, char **Argv) {
    std::vector<std::string> Args(Argv + 1, Argv + Argc);
    std::string Out, Err;
    const int Code = RunTool(Args, Out, Err);
    std::fwrite(Out.data(), 1, Out.size(), stdout);
    std::fwrite(Err.data(), 1, Err.size(), stderr);
    return Code;
}
