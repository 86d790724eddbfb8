#pragma once
// The start-up password as the settings record keeps it: PASSWORD holds the
// typed text after SwapPasswordLetters. Typed passwords are compared in that
// stored form, never by swapping the field back, because the swap does not
// undo itself for character codes 123 to 255: a password holding one of them
// could otherwise be set but never given again.

#include <QString>

#include <optional>
#include <string>

namespace tw::settings {

// Accepted wherever the password is asked, besides the stored one, so that a
// forgotten password never locks a business out of its schedule.
inline constexpr char kBuiltInPassword[] = "qPlaceholderSecrtz";

// The typed text without blanks and control characters around it.
QString TrimPasswordEntry(const QString& typed);

// What PASSWORD stores for a typed password (after trimming); none when the
// text holds a character the one-byte field cannot keep.
std::optional<std::string> StoredPasswordForm(const QString& typed);

// True when the typed password (trimmed) is the built-in one or its stored
// form equals the PASSWORD field (the field's padding blanks do not count).
// An empty field holds no password yet: an empty entry matches it.
// The start-up password dialog (TPassword::OkClick in app/password.cpp) still
// swaps the field back and compares the typed text with that; it is to call
// this instead.
bool PasswordMatches(const QString& typed, const std::string& storedField);

}  // namespace tw::settings
