// rnrr-pw: encodes settings into a password, decodes and checks a password,
// and offers single-character repairs of one that fails the check.
// Portable: the platform entry points hand over the arguments and standard
// input as UTF-8 and write Out and Err, both UTF-8.
#pragma once

#include <string>
#include <vector>

// Exit codes of the tool.
constexpr int ExitOk = 0;      // encoded, or the password is valid
constexpr int ExitInvalid = 1; // the password is not valid, whatever the reason
constexpr int ExitUsage = 2;   // unknown command or option, a bad value, or an
                               // argument that is not UTF-8

// Whether the arguments (after the program name) ask for standard input:
// --each, which runs the command once for every line of it.
bool ReadsInput(const std::vector<std::string> &Args);

// Args: the arguments after the program name, UTF-8; Input: the whole of
// standard input, UTF-8, where ReadsInput(Args) (else unread, empty).
int RunTool(const std::vector<std::string> &Args, const std::string &Input, std::string &Out,
            std::string &Err);
