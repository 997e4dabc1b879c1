// The tool's answers as plain text for people and as JSON for programs, all
// UTF-8: a password grouped as the window shows it, the sixteen values of a
// record, and why a password fails with its single-character repairs.
#pragma once

#include "decode.h"
#include "settings.h"
#include "window_view.h"

#include <string>
#include <vector>

// "ПЬФМ В02Ь ЫЫЛ!" for 12 password characters.
std::string GroupedPassword(const char *Text);

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

// decode's answer for a valid password that holds Record; View is the
// window's once it has taken Record (ViewOfRecord). Where Record holds levels
// for bars that its car hides, the answer says so as the window's password
// dialog does and names the password that the window shows instead.
std::string ValidText(const std::string &Password, const TSettings &Record,
                      const TWindowView &View);
std::string ValidJson(const std::string &Password, const TSettings &Record,
                      const TWindowView &View);

// decode's answer for an invalid password Text (12 characters): why it fails
// and its Count single-character repairs.
std::string InvalidText(const char *Text, const TDecodeResult &Result, const TRepair *Repairs,
                        int32_t Count);
std::string InvalidJson(const char *Text, const TDecodeResult &Result, const TRepair *Repairs,
                        int32_t Count);
