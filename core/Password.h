#pragma once

#include <QString>

namespace arvo {

/// Scrambles a password the way it is stored in usuarios.senha. Each character at 1-based
/// position i is shifted down by ((i - 1) mod 15) + 8, its code wrapping within one byte;
/// `unscramble` shifts up instead. "ABC" becomes "999". Characters beyond Latin-1 are
/// scrambled as '?'.
QString scramblePassword(const QString& text, bool unscramble = false);

/// Whether a typed password matches the stored scrambled one: both sides are trimmed of
/// leading and trailing characters of code 32 or less before they are compared.
bool passwordMatches(const QString& typed, const QString& stored);

/// Trims characters of code 32 or less from both ends.
QString trimControl(const QString& text);

} // namespace arvo
