// The tool's answers as plain text for people and as JSON for programs, all
// UTF-8: the sixteen values of a record, and what a typed password is: its
// values, or why it fails, with its single-character repairs.
#pragma once

#include "password_reading.h"
#include "settings.h"

#include <string>
#include <vector>

// A JSON string of UTF-8 text, with quotes, backslashes and control
// characters escaped.
std::string JsonString(const std::string &Utf8);

// The listing of the sixteen values, one line per option, each line starting
// with Indent: "Герой:        Snake Sanders, номер 0".
std::string SettingsListing(const TSettings &Record, const std::string &Indent);

// encode's answer: the password, or with --json the password, the record and
// the notices.
std::string EncodedJson(const std::string &Password, const TSettings &Record,
                        const std::vector<std::string> &Notices);

// decode's answer for a typed password (ReadTypedPassword). As text: for
// twelve characters the password, and then the password dialog's sentences
// for the reading in the string table's words, the values of a valid
// password, or every repair of an invalid one with its values; for fewer or
// more, or a character that is never in a password, the dialog's sentence
// alone. As JSON: its status (ReadingStatusNames) and what the reading holds.
std::string ReadingText(const TPasswordReading &Reading);
std::string ReadingJson(const TPasswordReading &Reading);
