#pragma once

// Text comparison by character code and the Like pattern matcher.

#include <QString>

namespace rt {

// Binary comparison, character code by character code: -1, 0 or 1. A text
// that is a prefix of the other sorts first ("0" before "0.00").
int StrComp(const QString& a, const QString& b);

// The Like operator: `*` any run of
// characters, `?` any one character, `#` one digit 0-9, `[list]` one
// character of the list, `[!list]` one character not in it, ranges such as
// `[a-z]` inside a list; `*`, `?` and `#` inside a list stand for themselves,
// and `[]` matches nothing at all (a zero-length text). A malformed pattern
// (an unclosed `[` or a descending range such as `[z-a]`) matches no text.
// Binary comparison (case matters) unless told otherwise; the databases'
// LIKE operator ignores letter case, ranges included ("b" is in `[A-C]`).
bool Like(const QString& text, const QString& pattern, Qt::CaseSensitivity cs = Qt::CaseSensitive);

}  // namespace rt
