// Reading the tool's command line: the options of encode into the controls
// they set, and the typed password of decode into its 12 characters. Each
// reader returns false with a message (UTF-8, without the program's name)
// for the user when the arguments cannot be read.
#pragma once

#include "password.h"
#include "window_model.h"

#include <string>
#include <vector>

// What the user gave, between «», as a message may show it: at most 40
// characters, nothing that is not UTF-8, no control characters.
std::string Quoted(const std::string &Given);

// What encode's arguments say: the window's controls, starting from the
// window's starting values, with what the options set.
struct TEncodeArguments {
    TControlState State;
    bool Given[ControlCount]; // by TControl: an option set this control
    bool Json;
};
bool ReadEncodeArguments(const std::vector<std::string> &Args, TEncodeArguments &Read,
                         std::string &Problem);

// decode's arguments: the words of the password, joined by blanks.
bool ReadDecodeArguments(const std::vector<std::string> &Args, std::string &Typed, bool &Json,
                         std::string &Problem);

// Typed text -> 12 alphabet characters. Places count the typed characters
// from 1.
bool ReadPassword(const std::string &Typed, char (&Text)[PasswordLength], std::string &Problem);
