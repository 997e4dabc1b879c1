// Reading the tool's command line: the options of encode into the controls
// they set, and the typed password of decode into its code points. Each
// reader returns false with a message (UTF-8, without the program's name)
// for the user when the arguments cannot be read.
#pragma once

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

// decode's password as the code points typed. A surrogate in three bytes is
// read as that code point: a lone surrogate of a Windows command line arrives
// so (Utf8OfUtf16), and the model reads it as a character that is never in a
// password, as the dialog does. False, saying where, for text that is not
// UTF-8.
bool ReadTypedText(const std::string &Typed, std::u32string &Points, std::string &Problem);

// The lines of standard input's text, without their line ends (LF or CR LF);
// a last line without one counts too, and an empty text has none.
std::vector<std::string> InputLines(const std::string &Input);

// A line's words, split at blanks and tabs; a part in double quotes keeps
// its blanks ("--hero \"Snake Sanders\""), without the quotes.
std::vector<std::string> Words(const std::string &Line);
