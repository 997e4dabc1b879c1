// rnrr-pw on POSIX hosts: the arguments, the input and the output are UTF-8
// already.

#include "tool.h"

#include <cstdio>

int main(int Argc, char **Argv) {
    std::vector<std::string> Args(Argv + 1, Argv + Argc);
    std::string Input, Out, Err;
    char Block[4096];
    for (size_t Got; ReadsInput(Args) && (Got = std::fread(Block, 1, sizeof Block, stdin)) > 0;)
        Input.append(Block, Got);
    const int Code = RunTool(Args, Input, Out, Err);
    std::fwrite(Out.data(), 1, Out.size(), stdout);
    std::fwrite(Err.data(), 1, Err.size(), stderr);
    return Code;
}
