// The rules every entry passes before it is stored: one fixed order of checks, the first
// failure shown with its own message, and the working entry built from the form.
#pragma once

#include <optional>

#include "messages/prompter.h"
#include "calldir/calldir.h"
#include "editor/entry_form.h"

// Runs the checks in order. On the first failure shows its message (OK button, titled with
// the application's name, owned by `owner`) and returns nothing; otherwise returns the
// working entry with `inAdapter` 0.
std::optional<BookEntry> ValidateEntry(const EntryForm& form, Prompter& prompter,
                                       PromptOwner owner);
