// The network settings typed by the user, one rule for the desktop program
// and zarn-cli: the hidden-layer size and the training defaults.
#pragma once

#include <string>
#include <string_view>

// The hidden-layer size the network can hold: below 1 becomes 1, above
// MaxHidden becomes MaxHidden.
int ClampHiddenCount(int count);
// A typed hidden-layer size, read leniently (atoi), then clamped.
int HiddenCountFromText(std::string_view text);

// The settings every entry into the training panel starts from, and zarn-cli
// train without options (texts as typed into the two edits).
extern const char* const DefaultIterationsText;  // "10000"
extern const char* const DefaultCoefText;        // "0.2"

// The learning coefficient as typed into the program's edit, for the lenient
// reading of training: a decimal comma (as a Russian keyboard types it) is
// the decimal point, so "0,3" is 0.3 like "0.3". A text that already holds a
// point is left as it is.
std::string CoefTextWithPoint(std::string_view typed);
