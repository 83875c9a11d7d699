// The rules every entry passes before it is stored: one fixed order of checks, the first
// failure shown with its own message, and the working entry built from the form.
#pragma once

#include <optional>

#include "calldir/calldir.h"
#include "editor/entry_form.h"
#include "editor/form_mapping.h"
#include "messages/prompter.h"

// The first check the form fails, in the fixed order: the field, its message and icon.
struct FieldFailure {
  EntryField field;
  const char* message;
  PromptIcon icon;
};
std::optional<FieldFailure> FirstFailedCheck(const EntryForm& form);

// Runs the checks in order. On the first failure shows its message (OK button, titled with
// the application's name, owned by `owner`), puts the field it names in `refused` when
// given, and returns nothing; otherwise returns the working entry with `inAdapter` 0.
std::optional<BookEntry> ValidateEntry(const EntryForm& form, Prompter& prompter,
                                       PromptOwner owner, EntryField* refused = nullptr);
